// printf-style formatting behind CStr_base::Format.
//
// Literal text is copied with double-byte characters kept whole, so a second
// byte that equals '%' never starts a conversion. "%s" copies the argument
// text itself, without a length limit; its precision counts bytes but never
// cuts a double-byte character in two. Every other conversion is formatted
// alone by snprintf into a scratch area of 264 bytes; a longer result is cut
// to what fits there.
//
// Text that starts like a conversion but is not one (an unknown conversion
// letter, or a format that ends inside the conversion) is copied as it
// stands, up to the byte where it stopped being a conversion, and takes no
// argument; scanning goes on at that byte.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "foundation/str_base.h"

namespace {

constexpr size_t kScratchSize = 264;

// One conversion as written in the format.
struct Conversion {
    char flags[6] = {};       // the distinct flag letters among "-+0 #"
    bool widthFromArg = false;
    int width = 0;            // digits, saturated at INT_MAX
    bool hasPrecision = false;
    bool precisionFromArg = false;
    int precision = 0;
    char size = 0;            // 0, 'h' or 'l'
    char letter = 0;
};

const char* ReadNumber(const char* p, int* value)
{
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (n > INT_MAX)
            n = INT_MAX;
    }
    *value = static_cast<int>(n);
    return p;
}

// Reads the conversion after a '%'. Returns the byte after it, or, when the
// text is not a conversion, the byte where reading stopped with *ok false.
const char* ReadConversion(const char* p, Conversion* c, bool* ok)
{
    for (; *p && std::strchr("-+0 #", *p); ++p) {
        if (!std::strchr(c->flags, *p))
            c->flags[std::strlen(c->flags)] = *p;
    }
    if (*p == '*') {
        c->widthFromArg = true;
        ++p;
    } else {
        p = ReadNumber(p, &c->width);
    }
    if (*p == '.') {
        c->hasPrecision = true;
        if (*++p == '*') {
            c->precisionFromArg = true;
            ++p;
        } else {
            p = ReadNumber(p, &c->precision);
        }
    }
    if (*p == 'h' || *p == 'l')
        c->size = *p++;
    *ok = *p && std::strchr("cdiouxXeEfgGnps", *p);
    if (!*ok)
        return p;
    c->letter = *p;
    return p + 1;
}

class Formatter {
public:
    Formatter(void* sink, StrAppendFn append) : m_pSink(sink), m_pAppend(append) {}

    void Emit(const char* bytes, size_t n)
    {
        if (n) {
            m_pAppend(m_pSink, bytes, n);
            m_nProduced += n;
        }
    }

    void Convert(Conversion& c, va_list* args)
    {
        // Width and precision taken from arguments, before the value itself.
        // A negative width means left alignment; a negative precision none.
        bool left = std::strchr(c.flags, '-') != nullptr;
        if (c.widthFromArg) {
            const int w = va_arg(*args, int);
            if (w < 0) {
                left = true;
                c.width = w == INT_MIN ? INT_MAX : -w;
            } else {
                c.width = w;
            }
        }
        if (c.precisionFromArg) {
            c.precision = va_arg(*args, int);
            c.hasPrecision = c.precision >= 0;
        }
        const int precision = c.hasPrecision ? c.precision : -1;

        switch (c.letter) {
        case 's':
            return EmitText(va_arg(*args, const char*), c.width, precision, left);
        case 'n':
            return StoreProduced(c.size, args);
        case 'd':
        case 'i':
            if (c.size == 'l')
                return EmitScratch(c, left, precision, va_arg(*args, long));
            return EmitScratch(c, left, precision, va_arg(*args, int));
        case 'o':
        case 'u':
        case 'x':
        case 'X':
            if (c.size == 'l')
                return EmitScratch(c, left, precision, va_arg(*args, unsigned long));
            return EmitScratch(c, left, precision, va_arg(*args, unsigned));
        case 'c':
            return EmitScratch(c, left, precision, va_arg(*args, int));
        case 'p':
            return EmitScratch(c, left, precision, va_arg(*args, void*));
        default: // e E f g G
            return EmitScratch(c, left, precision, va_arg(*args, double));
        }
    }

private:
    void EmitText(const char* text, int width, int precision, bool left)
    {
        if (!text)
            text = "(null)";
        const size_t n = precision >= 0 ? KeptBytes(text, static_cast<size_t>(precision)) : std::strlen(text);
        const size_t pad = static_cast<size_t>(width) > n ? static_cast<size_t>(width) - n : 0;
        if (!left)
            EmitBlanks(pad);
        Emit(text, n);
        if (left)
            EmitBlanks(pad);
    }

    // Bytes of `text` kept under a precision of `limit` bytes: whole
    // characters only, and no byte past the limit is read.
    static size_t KeptBytes(const char* text, size_t limit)
    {
        size_t n = 0;
        while (n < limit && text[n]) {
            if (!IsSjisLeadByte(static_cast<unsigned char>(text[n])))
                ++n;
            else if (n + 1 < limit)
                n += SjisCharLength(text + n);
            else
                break;
        }
        return n;
    }

    void EmitBlanks(size_t n)
    {
        static const char kBlanks[] = "                                ";
        for (size_t chunk; n; n -= chunk) {
            chunk = n < sizeof kBlanks - 1 ? n : sizeof kBlanks - 1;
            Emit(kBlanks, chunk);
        }
    }

    // "%n": the bytes produced so far go into the argument's integer.
    void StoreProduced(char size, va_list* args)
    {
        if (size == 'h')
            Store(va_arg(*args, short*));
        else if (size == 'l')
            Store(va_arg(*args, long*));
        else
            Store(va_arg(*args, int*));
    }

    template <class I>
    void Store(I* target)
    {
        if (target)
            *target = static_cast<I>(m_nProduced);
    }

    // Formats one value by snprintf with width and precision passed as
    // arguments; the size letter is kept for the integer conversions only.
    template <class V>
    void EmitScratch(const Conversion& c, bool left, int precision, V value)
    {
        char format[16];
        size_t n = 0;
        format[n++] = '%';
        if (left)
            format[n++] = '-';
        for (const char* f = c.flags; *f; ++f) {
            if (*f != '-')
                format[n++] = *f;
        }
        format[n++] = '*';
        format[n++] = '.';
        format[n++] = '*';
        if (c.size && std::strchr("diouxX", c.letter))
            format[n++] = c.size;
        format[n++] = c.letter;
        format[n] = 0;

        char scratch[kScratchSize];
        const int produced = std::snprintf(scratch, sizeof scratch, format, c.width, precision, value);
        if (produced > 0)
            Emit(scratch, std::min(static_cast<size_t>(produced), sizeof scratch - 1));
    }

    void* m_pSink;
    StrAppendFn m_pAppend;
    size_t m_nProduced = 0;
};

} // namespace

void StrFormatV(void* sink, StrAppendFn append, const char* format, va_list args)
{
    Formatter out(sink, append);
    va_list ap;
    va_copy(ap, args);
    const char* p = format ? format : "";
    const char* literal = p; // start of the literal text not yet emitted
    while (*p) {
        if (*p != '%') {
            p += SjisCharLength(p);
            continue;
        }
        out.Emit(literal, static_cast<size_t>(p - literal));
        if (p[1] == '%') {
            out.Emit("%", 1);
            p += 2;
            literal = p;
            continue;
        }
        Conversion c;
        bool ok = false;
        const char* end = ReadConversion(p + 1, &c, &ok);
        if (ok) {
            out.Convert(c, &ap);
            literal = end;
        } else {
            literal = p;
        }
        p = end;
    }
    out.Emit(literal, static_cast<size_t>(p - literal));
    va_end(ap);
}
