// Growable zero-terminated Shift-JIS byte string.
//
// N is the allocation unit, not a limit: it sets how fast the capacity
// grows. A new string allocates nothing and points at one shared empty text.
// Searching operations step over double-byte characters whole.
//
// A string takes eight bytes. A text of up to six bytes whose capacity is
// the unit itself stands in them (a mark byte, the text, its terminator);
// any other text is one pointer to the text of a heap block, whose header in
// front of the text holds the capacity and the length (the block's size says
// how much text it can take). The capacity follows the growth steps of the
// unit, but the buffer behind it is only as large as the text has needed so
// far: a document holds a great many short strings of unit 64 and 16384, and
// a buffer of the full capacity for each would multiply its memory. The
// buffer grows geometrically up to the capacity as text is stored, so
// appending stays amortised constant. A string's elements never move in the
// containers of the system, so its text stays where it is while the string
// is not changed, wherever it is kept.
#pragma once

#include <bit>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include <malloc.h>

// Bytes a heap block offers (at least the size it was allocated with).
inline size_t HeapBlockSize(void* block)
{
#if defined(_WIN32)
    return _msize(block);
#else
    return malloc_usable_size(block);
#endif
}

#include "foundation/allocation_cap.h"
#include "foundation/array_auto.h"
#include "foundation/sjis.h"

// The shared, read-only empty text of every string that owns no buffer.
alignas(8) extern const char g_szStrEmpty[1];

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
struct CStrRegexBudget;

// Match function of CStr_base::Regex: (subject text at the match, offset,
// match length, replacement template, output being built, capture list) ->
// -2 keeps the match, -1 rejects it, any other value is the new length (and
// in replace mode means that the function wrote the replacement itself).
using StrRegexReplaceFunc = std::function<int32_t(const char* at, uint32_t offset, uint32_t length,
                                                  const char* replace, CStr_base<16384>* output,
                                                  CStrRegexMatchStruct* captures)>;

// GCC cannot tell that a text grown past the inline room lives on the heap
// and warns about copies into the object itself; the growth makes sure of it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#ifndef __clang__
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#endif
template <unsigned N>
class CStr_base {
    static_assert(N > 0, "allocation unit must be positive");
    static_assert(std::endian::native == std::endian::little, "the inline mark is the pointer's lowest byte");

public:
    CStr_base() { SetPointer(const_cast<char*>(g_szStrEmpty)); }
    CStr_base(const char* text) : CStr_base() { Assign(text); }
    CStr_base(const CStr_base& other) : CStr_base() { Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength())); }
    template <unsigned M>
    CStr_base(const CStr_base<M>& other) : CStr_base()
    {
        Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength()));
    }

    CStr_base& operator=(const CStr_base& other)
    {
        if (this != &other)
            Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength()));
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

    ~CStr_base() { Free(); }

    uint32_t GetCapacity() const { return IsInline() ? N : OnHeap() ? Head()->capacity : 0; }
    uint32_t GetLength() const { return IsInline() ? InlineLength() : OnHeap() ? Head()->length : 0; }
    bool IsEmpty() const { return GetLength() == 0; }
    const char* GetBuffer() const { return IsInline() ? m_aRep + 1 : Pointer(); }
    operator const char*() const { return GetBuffer(); }
    char operator[](uint32_t i) const { return GetBuffer()[i]; }

    // Makes room for `needed` bytes (terminator included): when `needed`
    // reaches the capacity, the capacity grows to the larger of `needed` and
    // one growth step more, and the buffer to at least `needed` bytes; below
    // the capacity nothing happens.
    void Reserve(uint32_t needed)
    {
        if (needed < GetCapacity())
            return;
        Grow(needed);
    }

    // Assigns the first n bytes of text (the whole text when n < 0);
    // copying stops early at a zero byte.
    void Assign(const char* text, int32_t n = -1)
    {
        if (!text)
            text = g_szStrEmpty;
        const uint32_t len = Measure(text, n);
        const char* own = GetBuffer();
        if (HasText() && text >= own && text < own + GetLength() + 1) {
            std::memmove(Text(), text, len);
        } else {
            Grow(len + 2, false);
            std::memcpy(Text(), text, len);
        }
        SetLength(len);
    }
    template <unsigned M>
    void Assign(const CStr_base<M>& other) { Assign(other.GetBuffer(), static_cast<int32_t>(other.GetLength())); }

    void Append(char c)
    {
        const uint32_t length = GetLength();
        Grow(length + 3);
        Text()[length] = c;
        SetLength(length + 1);
    }

    // Appends the first n bytes of text (the whole text when n < 0);
    // copying stops early at a zero byte.
    void Append(const char* text, int32_t n = -1)
    {
        if (!text)
            return;
        const uint32_t len = Measure(text, n);
        if (len == 0)
            return;
        const char* own = GetBuffer();
        if (HasText() && text >= own && text < own + Room()) {
            CStr_base copy;
            copy.Assign(text, static_cast<int32_t>(len));
            Append(copy.GetBuffer(), static_cast<int32_t>(len));
            return;
        }
        const uint32_t length = GetLength();
        Grow(length + len + 2);
        std::memcpy(Text() + length, text, len);
        SetLength(length + len);
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

    // Makes the text `length` bytes long and returns it, to be filled in
    // place: the bytes it held stay, those beyond are undefined until
    // written. A zero byte written stays in the text (the length counts
    // it), but copies of the text end there.
    char* GetBufferSetLength(uint32_t length)
    {
        if (length > GetLength())
            Grow(length + 2);
        else if (!HasText())
            Grow(2);
        SetLength(length);
        return Text();
    }

    // Cuts the text to its first n bytes (n <= length); keeps the buffer.
    void Truncate(uint32_t n)
    {
        if (n < GetLength())
            SetLength(n);
    }

    // Returns the string to the empty state, freeing its buffer.
    void Release()
    {
        Free();
        SetPointer(const_cast<char*>(g_szStrEmpty));
    }

    // Swaps the contents of two strings of the same unit.
    void Swap(CStr_base& other)
    {
        char rep[sizeof m_aRep];
        std::memcpy(rep, m_aRep, sizeof rep);
        std::memcpy(m_aRep, other.m_aRep, sizeof rep);
        std::memcpy(other.m_aRep, rep, sizeof rep);
    }

    int32_t Find(const char* text, int32_t start = 0) const { return SjisFind(GetBuffer(), GetLength(), text, start); }

    // Replaces every occurrence of `from` by `to`, left to right, never
    // rescanning inserted text; returns the number of replacements.
    int32_t Replace(const char* from, const char* to)
    {
        if (!from || !*from)
            return 0;
        if (!to)
            to = g_szStrEmpty;
        const size_t fromLen = std::strlen(from);
        const size_t toLen = std::strlen(to);
        int32_t at = Find(from, 0);
        if (at < 0)
            return 0;
        const uint32_t length = GetLength();
        int32_t count = 0;
        uint32_t done = 0;
        char* const text = Text();
        const auto inText = [text, length](const char* p) { return p >= text && p <= text + length; };
        if (toLen <= fromLen && !inText(from) && !inText(to)) {
            // The text only shrinks: it is rebuilt in place, behind the
            // part still to be searched (a search looks no further back
            // than where it starts).
            uint32_t written = 0;
            while (at >= 0) {
                std::memmove(text + written, text + done, at - done);
                written += at - done;
                std::memcpy(text + written, to, toLen);
                written += static_cast<uint32_t>(toLen);
                done = at + static_cast<uint32_t>(fromLen);
                ++count;
                at = Find(from, static_cast<int32_t>(done));
            }
            std::memmove(text + written, text + done, length - done);
            SetLength(written + length - done);
            return count;
        }
        CStr_base out;
        while (at >= 0) {
            out.Append(text + done, static_cast<int32_t>(at - done));
            out.Append(to);
            done = at + static_cast<uint32_t>(fromLen);
            ++count;
            at = Find(from, static_cast<int32_t>(done));
        }
        out.Append(text + done, static_cast<int32_t>(length - done));
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
    // the pattern engine (pattern/str_regex.h). A pattern from the user runs
    // under a budget; when it runs out the call returns -1 and the string
    // stays as it was.
    int32_t Regex(const char* pattern, const char* options, CStrRegexMatchStruct* captures = nullptr,
                  const char* replace = nullptr, CArrayAuto<CStrRegexMatchStruct>* history = nullptr,
                  int32_t start = 0, CArrayAuto<CStrRegexHitBufStruct>* hits = nullptr,
                  const StrRegexReplaceFunc& func = {}, CStrRegexBudget* budget = nullptr);

    bool operator==(const char* text) const { return std::strcmp(GetBuffer(), text ? text : g_szStrEmpty) == 0; }
    template <unsigned M>
    bool operator==(const CStr_base<M>& other) const
    {
        const uint32_t length = GetLength();
        return length == other.GetLength() && std::memcmp(GetBuffer(), other.GetBuffer(), length) == 0;
    }

private:
    // The text of a heap block follows this header.
    struct Header {
        uint32_t capacity; // as the growth steps make it
        uint32_t length;
    };

    // An inline text: a mark byte with the lowest bit set (a pointer to a
    // text never has it: heap texts and the shared empty text are aligned),
    // the length in the other bits, then the text and its terminator.
    static constexpr uint32_t kInlineRoom = 7;  // text and terminator
    static constexpr uint32_t kInlineNeeded = 8; // the most that a reserve for it asks
    static constexpr uint64_t kLargeText = 1u << 20;
    static constexpr uint64_t kMappedBlock = 32u << 20;

    bool IsInline() const { return (m_aRep[0] & 1) != 0; }
    uint32_t InlineLength() const { return static_cast<unsigned char>(m_aRep[0]) >> 1; }
    char* Pointer() const
    {
        char* p;
        std::memcpy(&p, m_aRep, sizeof p);
        return p;
    }
    void SetPointer(char* p) { std::memcpy(m_aRep, &p, sizeof p); }
    bool OnHeap() const { return !IsInline() && Pointer() != g_szStrEmpty; }
    // Whether the string holds a text of its own (inline or on the heap).
    bool HasText() const { return IsInline() || Pointer() != g_szStrEmpty; }
    // The string's own text (only when HasText()).
    char* Text() { return IsInline() ? m_aRep + 1 : Pointer(); }
    Header* Head() const { return reinterpret_cast<Header*>(Pointer() - sizeof(Header)); }
    // Bytes the text can take, terminator included (only when HasText()).
    uint32_t Room() const
    {
        if (IsInline())
            return kInlineRoom;
        const size_t room = HeapBlockSize(Pointer() - sizeof(Header)) - sizeof(Header);
        return room > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(room);
    }

    // Sets the length and writes the terminator (only with a text of its
    // own; the shared empty text stays as it is).
    void SetLength(uint32_t n)
    {
        if (IsInline()) {
            // An inline text is never longer than kInlineRoom - 1 bytes.
            m_aRep[0] = static_cast<char>((n << 1) | 1);
            m_aRep[1 + (n < kInlineRoom ? n : kInlineRoom - 1)] = 0;
        } else if (OnHeap()) {
            Head()->length = n;
            Pointer()[n] = 0;
        }
    }

    static uint32_t Measure(const char* text, int32_t n)
    {
        if (n < 0)
            return static_cast<uint32_t>(std::strlen(text));
        // Most counted texts are short field values: a zero is looked for
        // here rather than through a call.
        constexpr int32_t kShort = 32;
        if (n <= kShort) {
            for (int32_t i = 0; i < n; ++i) {
                if (text[i] == 0)
                    return static_cast<uint32_t>(i);
            }
            return static_cast<uint32_t>(n);
        }
        const void* zero = std::memchr(text, 0, static_cast<size_t>(n));
        return zero ? static_cast<uint32_t>(static_cast<const char*>(zero) - text) : static_cast<uint32_t>(n);
    }

    static void AppendSink(void* sink, const char* bytes, size_t n)
    {
        auto* s = static_cast<CStr_base*>(sink);
        const uint32_t length = s->GetLength();
        s->Grow(static_cast<uint32_t>(length + n + 2));
        std::memcpy(s->Text() + length, bytes, n);
        s->SetLength(static_cast<uint32_t>(length + n));
    }

    // The capacity grows as Reserve says when `needed` reaches it; the
    // text moves to a buffer, or its buffer grows, when it has less room
    // than `needed` (geometrically up to the capacity). The text and its
    // terminator are kept, unless `keepText` is false (the caller replaces
    // the text): the buffer then may start empty. When the storage runs
    // out, std::bad_alloc is raised and the string stays as it was.
    void Grow(uint32_t needed, bool keepText = true)
    {
        const uint32_t capacity = GetCapacity();
        uint32_t newCapacity = capacity;
        if (needed >= capacity) {
            const uint64_t grown = static_cast<uint64_t>(capacity) + StrGrowthStep(capacity, N);
            const uint64_t larger = needed > grown ? needed : grown;
            newCapacity = larger > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(larger);
        }
        const bool fitsInline = newCapacity == N && needed <= kInlineNeeded;
        if (!HasText()) {
            if (fitsInline) {
                m_aRep[0] = 1;
                m_aRep[1] = 0;
                return;
            }
            SetPointer(NewBuffer(needed, newCapacity, 0));
            Pointer()[0] = 0;
            return;
        }
        if (IsInline()) {
            if (fitsInline)
                return;
            const uint32_t length = keepText ? InlineLength() : 0;
            char* buffer = NewBuffer(needed, newCapacity, length);
            std::memcpy(buffer, m_aRep + 1, length);
            buffer[length] = 0;
            SetPointer(buffer);
            return;
        }
        const uint32_t room = Room();
        if (needed <= room) {
            Head()->capacity = newCapacity;
            return;
        }
        const uint64_t doubled = 2ull * room;
        uint64_t size = doubled < newCapacity ? doubled : newCapacity;
        if (size < needed)
            size = needed;
        // A text that grows past kLargeText gets a block so large that the
        // allocator maps it on its own: it then grows in place, without
        // copies and without leaving freed buffers behind, and only the
        // pages written to are in memory.
        if (size >= kLargeText && size < kMappedBlock)
            size = kMappedBlock;
        const uint32_t length = keepText ? Head()->length : 0;
        if (length + 1 < room / 2) {
            // Little text in a large buffer: copy the text, not the buffer.
            char* buffer = NewBuffer(static_cast<uint32_t>(size), newCapacity, length);
            std::memcpy(buffer, Pointer(), length);
            buffer[length] = 0;
            Free();
            SetPointer(buffer);
        } else {
            SetPointer(ResizeBuffer(Pointer(), static_cast<uint32_t>(size)));
            Head()->capacity = newCapacity;
        }
    }

    // Block size for `room` bytes of text and the header, rounded so that
    // the allocator's usual block sizes (16n + 8) are used up.
    static size_t BlockSize(uint32_t room)
    {
        const uint64_t bytes = static_cast<uint64_t>(room) + sizeof(Header);
        const uint64_t rounded = ((bytes + 8 + 15) / 16) * 16 - 8;
        return static_cast<size_t>(rounded < 24 ? 24 : rounded);
    }

    static char* NewBuffer(uint32_t room, uint32_t capacity, uint32_t length)
    {
        void* block = CappedMalloc(BlockSize(room));
        if (!block)
            throw std::bad_alloc();
        new (block) Header{capacity, length};
        return static_cast<char*>(block) + sizeof(Header);
    }

    static char* ResizeBuffer(char* text, uint32_t room)
    {
        void* block = CappedRealloc(text - sizeof(Header), BlockSize(room));
        if (!block)
            throw std::bad_alloc();
        return static_cast<char*>(block) + sizeof(Header);
    }

    void Free()
    {
        if (OnHeap())
            CappedFree(Pointer() - sizeof(Header));
    }

    alignas(8) char m_aRep[8];
};
#pragma GCC diagnostic pop
