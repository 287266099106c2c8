// Growable zero-terminated Shift-JIS byte string.
//
// N is the allocation unit, not a limit: it sets how fast the buffer grows.
// A new string allocates nothing and points at one shared empty text.
// Searching operations step over double-byte characters whole.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <functional>

#include "foundation/array_auto.h"
#include "foundation/sjis.h"

// The shared, read-only empty text of every string that owns no buffer.
extern const char g_szStrEmpty[1];

// Growth step for a buffer of `capacity` bytes with allocation unit `unit`.
inline uint32_t StrGrowthStep(uint32_t capacity, uint32_t unit)
{
    const uint64_t c = capacity, n = unit;
    if (c < 16 * n) return unit;
    if (c < 64 * n) return 4 * unit;
    if (c < 256 * n) return 16 * unit;
    if (c < 1024 * n) return 64 * unit;
    if (c < 2048 * n) return 256 * unit;
    return 1024 * unit;
}

// First byte offset at or after `start` where `needle` occurs in `text`,
// trying only character starts; -1 when absent or start is negative; 0 for
// an empty needle.
int32_t SjisFind(const char* text, uint32_t length, const char* needle, int32_t start);

// printf-style formatting into a growing byte sink (see CStr_base::Format).
using StrAppendFn = void (*)(void* sink, const char* bytes, size_t n);
void StrFormatV(void* sink, StrAppendFn append, const char* format, va_list args);

template <unsigned N> class CStr_base;
class CStrRegexMatchStruct;
struct CStrRegexHitBufStruct;

// Match function of CStr_base::Regex: (subject text at the match, offset,
// match length, replacement template, output being built, capture list) ->
// -2 keeps the match, -1 rejects it, any other value is the new length (and
// in replace mode means that the function wrote the replacement itself).
using StrRegexReplaceFunc = std::function<int32_t(const char* at, uint32_t offset, uint32_t length,
                                                  const char* replace, CStr_base<16384>* output,
                                                  CStrRegexMatchStruct* captures)>;

template <unsigned N>
class CStr_base {
    static_assert(N > 0, "allocation unit must be positive");

public:
    CStr_base() = default;
    CStr_base(const char* text) { Assign(text); }
    CStr_base(const CStr_base& other) { Assign(other.m_pBuffer, static_cast<int32_t>(other.m_nLength)); }
    template <unsigned M>
    CStr_base(const CStr_base<M>& other) { Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength())); }

    CStr_base& operator=(const CStr_base& other)
    {
        if (this != &other)
            Assign(other.m_pBuffer, static_cast<int32_t>(other.m_nLength));
        return *this;
    }
    template <unsigned M>
    CStr_base& operator=(const CStr_base<M>& other)
    {
        Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength()));
        return *this;
    }
    CStr_base& operator=(const char* text)
    {
        Assign(text);
        return *this;
    }

    virtual ~CStr_base() { Free(); }

    uint32_t GetCapacity() const { return m_nCapacity; }
    uint32_t GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    const char* GetBuffer() const { return m_pBuffer; }
    operator const char*() const { return m_pBuffer; }
    char operator[](uint32_t i) const { return m_pBuffer[i]; }

    // Makes room for `needed` bytes (terminator included).
    void Reserve(uint32_t needed)
    {
        if (needed < m_nCapacity)
            return;
        uint64_t grown = static_cast<uint64_t>(m_nCapacity) + StrGrowthStep(m_nCapacity, N);
        uint64_t size = needed > grown ? needed : grown;
        if (size > UINT32_MAX)
            size = UINT32_MAX;
        char* buffer = new char[size];
        if (m_nCapacity)
            std::memcpy(buffer, m_pBuffer, m_nLength + 1);
        Free();
        m_pBuffer = buffer;
        m_nCapacity = static_cast<uint32_t>(size);
        m_pBuffer[m_nLength] = 0;
    }

    // Assigns the first n bytes of text (the whole text when n < 0);
    // copying stops early at a zero byte.
    void Assign(const char* text, int32_t n = -1)
    {
        if (!text)
            text = g_szStrEmpty;
        uint32_t len = Measure(text, n);
        if (text >= m_pBuffer && text < m_pBuffer + m_nLength + 1 && m_nCapacity) {
            std::memmove(m_pBuffer, text, len);
        } else {
            m_nLength = 0;
            Reserve(len + 2);
            std::memcpy(m_pBuffer, text, len);
        }
        m_nLength = len;
        m_pBuffer[len] = 0;
    }
    template <unsigned M>
    void Assign(const CStr_base<M>& other) { Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength())); }

    void Append(char c)
    {
        Reserve(m_nLength + 3);
        m_pBuffer[m_nLength++] = c;
        m_pBuffer[m_nLength] = 0;
    }

    // Appends the first n bytes of text (the whole text when n < 0);
    // copying stops early at a zero byte.
    void Append(const char* text, int32_t n = -1)
    {
        if (!text)
            return;
        uint32_t len = Measure(text, n);
        if (len == 0)
            return;
        if (m_nCapacity && text >= m_pBuffer && text < m_pBuffer + m_nCapacity) {
            CStr_base copy;
            copy.Assign(text, static_cast<int32_t>(len));
            Append(copy.m_pBuffer, static_cast<int32_t>(len));
            return;
        }
        Reserve(m_nLength + len + 2);
        std::memcpy(m_pBuffer + m_nLength, text, len);
        m_nLength += len;
        m_pBuffer[m_nLength] = 0;
    }
    template <unsigned M>
    void Append(const CStr_base<M>& other) { Append(other.GetBuffer(), static_cast<int32_t>(other.GetLength())); }

    CStr_base& operator+=(const char* text)
    {
        Append(text);
        return *this;
    }
    CStr_base& operator+=(char c)
    {
        Append(c);
        return *this;
    }
    template <unsigned M>
    CStr_base& operator+=(const CStr_base<M>& other)
    {
        Append(other);
        return *this;
    }

    // Cuts the text to its first n bytes (n <= length); keeps the buffer.
    void Truncate(uint32_t n)
    {
        if (n < m_nLength) {
            m_nLength = n;
            m_pBuffer[n] = 0;
        }
    }

    // Returns the string to the empty state, freeing its buffer.
    void Release()
    {
        Free();
        m_pBuffer = const_cast<char*>(g_szStrEmpty);
        m_nCapacity = 0;
        m_nLength = 0;
    }

    // Swaps the contents of two strings of the same unit.
    void Swap(CStr_base& other)
    {
        std::swap(m_pBuffer, other.m_pBuffer);
        std::swap(m_nCapacity, other.m_nCapacity);
        std::swap(m_nLength, other.m_nLength);
    }

    int32_t Find(const char* text, int32_t start = 0) const { return SjisFind(m_pBuffer, m_nLength, text, start); }

    // Replaces every occurrence of `from` by `to`, left to right, never
    // rescanning inserted text; returns the number of replacements.
    int32_t Replace(const char* from, const char* to)
    {
        if (!from || !*from)
            return 0;
        if (!to)
            to = g_szStrEmpty;
        size_t fromLen = std::strlen(from);
        int32_t at = Find(from, 0);
        if (at < 0)
            return 0;
        CStr_base out;
        int32_t count = 0;
        uint32_t done = 0;
        while (at >= 0) {
            out.Append(m_pBuffer + done, static_cast<int32_t>(at - done));
            out.Append(to);
            done = at + static_cast<uint32_t>(fromLen);
            ++count;
            at = Find(from, static_cast<int32_t>(done));
        }
        out.Append(m_pBuffer + done, static_cast<int32_t>(m_nLength - done));
        Swap(out);
        return count;
    }

    // printf-style formatting; replaces the content. Conversions other than
    // "s" are formatted one at a time in a scratch area of 264 bytes.
    void Format(const char* format, ...)
    {
        va_list args;
        va_start(args, format);
        FormatV(format, args);
        va_end(args);
    }
    void FormatV(const char* format, va_list args)
    {
        CStr_base out;
        StrFormatV(&out, &AppendSink, format, args);
        Swap(out);
    }

    // Search and replace with the system's pattern language; defined with
    // the pattern engine (pattern/str_regex.h).
    int32_t Regex(const char* pattern, const char* options, CStrRegexMatchStruct* captures = nullptr,
                  const char* replace = nullptr, CArrayAuto<CStrRegexMatchStruct>* history = nullptr,
                  int32_t start = 0, CArrayAuto<CStrRegexHitBufStruct>* hits = nullptr,
                  const StrRegexReplaceFunc& func = {});

    bool operator==(const char* text) const { return std::strcmp(m_pBuffer, text ? text : g_szStrEmpty) == 0; }
    template <unsigned M>
    bool operator==(const CStr_base<M>& other) const
    {
        return m_nLength == other.GetLength() && std::memcmp(m_pBuffer, other.GetBuffer(), m_nLength) == 0;
    }

private:
    static uint32_t Measure(const char* text, int32_t n)
    {
        if (n < 0)
            return static_cast<uint32_t>(std::strlen(text));
        const void* zero = std::memchr(text, 0, static_cast<size_t>(n));
        return zero ? static_cast<uint32_t>(static_cast<const char*>(zero) - text) : static_cast<uint32_t>(n);
    }

    static void AppendSink(void* sink, const char* bytes, size_t n)
    {
        auto* s = static_cast<CStr_base*>(sink);
        s->Reserve(static_cast<uint32_t>(s->m_nLength + n + 2));
        std::memcpy(s->m_pBuffer + s->m_nLength, bytes, n);
        s->m_nLength += static_cast<uint32_t>(n);
        s->m_pBuffer[s->m_nLength] = 0;
    }

    void Free()
    {
        if (m_nCapacity)
            delete[] m_pBuffer;
    }

    uint32_t m_nCapacity = 0;
    uint32_t m_nLength = 0;
    char* m_pBuffer = const_cast<char*>(g_szStrEmpty);
};
