// Compiler of the pattern language: `%` is the only escape character.
//
// An escape is `%`, an optional prefix (+ * ! /), a count, "." and an index,
// "," and a max, and a designator. Every byte sequence is a valid pattern.

#include <cstring>

#include "pattern/regex_node.h"

namespace {

// Groups nested deeper than this are flattened into their enclosing body
// (their opening and closing designators are dropped), so that neither the
// compiler nor the matcher can exhaust the stack on an absurd pattern.
constexpr int kMaxNesting = 400;

const char kEscapeLetters[] = "$^gGjJ?CwWiIdDaAlbLBsSxXnNkKyYcvVuUTHhtepPz";

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

class Compiler {
public:
    explicit Compiler(const char* pattern) : m_p(reinterpret_cast<const unsigned char*>(pattern)) {}

    // Compiles into `node` until its closing designator or the end of the
    // pattern.
    void Body(CStrRegexStruct* node, int depth)
    {
        const bool alternatives = node->kind == REGEX_KIND_ALTERNATIVES;
        CStrRegexStruct* literal = nullptr;
        int flattened = 0;  // groups opened beyond kMaxNesting, still open
        for (;;) {
            const unsigned char c = *m_p;
            if (c == 0)
                return;
            if (c != '%') {
                AddLiteral(node, alternatives, &literal, CharLength());
                continue;
            }
            ++m_p;
            if (*m_p == 0)
                return;  // a trailing % is ignored
            if (*m_p == '%') {
                AddLiteral(node, alternatives, &literal, 1);
                continue;
            }

            char prefix = ' ';
            if (std::strchr("+*!/", *m_p))
                prefix = static_cast<char>(*m_p++);
            const int32_t count = Number();
            int32_t index = -1, max = -1;
            if (m_p[0] == '.' && IsDigit(m_p[1])) {
                ++m_p;
                index = Number();
            }
            if (m_p[0] == ',' && IsDigit(m_p[1])) {
                ++m_p;
                max = Number();
            }

            const unsigned char d = *m_p;
            if (d == 0)
                return;
            if (d == ')' || d == '}' || d == ']') {
                ++m_p;
                if (flattened > 0) {
                    --flattened;
                    continue;
                }
                return;
            }
            if (d == '(' || d == '{' || d == '[') {
                ++m_p;
                literal = nullptr;
                if (depth >= kMaxNesting) {
                    ++flattened;
                    continue;
                }
                CStrRegexStruct* child = node->children.Add();
                child->kind = d == '(' ? REGEX_KIND_GROUP : d == '{' ? REGEX_KIND_CAPTURE : REGEX_KIND_ALTERNATIVES;
                SetRepetition(child, prefix, count, index, max);
                Body(child, depth + 1);
                continue;
            }
            if (d == '-') {
                if (Range(node, prefix, count, index, max))
                    literal = nullptr;
                continue;
            }
            if (std::strchr(kEscapeLetters, d)) {
                ++m_p;
                literal = nullptr;
                Escape(node, static_cast<char>(d), prefix, count, index, max);
                continue;
            }
            // No designator: the escape is dropped and the byte is read again
            // as literal text.
        }
    }

private:
    size_t CharLength() const { return SjisCharLength(reinterpret_cast<const char*>(m_p)); }

    int32_t Number()
    {
        if (!IsDigit(*m_p))
            return -1;
        int64_t value = 0;
        while (IsDigit(*m_p)) {
            value = value * 10 + (*m_p - '0');
            if (value > INT32_MAX)
                value = INT32_MAX;
            ++m_p;
        }
        return static_cast<int32_t>(value);
    }

    // Adds `n` bytes at the cursor (one character, or the "%" of "%%") as
    // literal text; inside alternatives each character is a node of its own.
    void AddLiteral(CStrRegexStruct* node, bool alternatives, CStrRegexStruct** literal, size_t n)
    {
        if (alternatives || !*literal) {
            *literal = node->children.Add();
            (*literal)->kind = REGEX_KIND_LITERAL;
        }
        (*literal)->text.Append(reinterpret_cast<const char*>(m_p), static_cast<int32_t>(n));
        m_p += n;
        if (alternatives)
            *literal = nullptr;
    }

    static void SetRepetition(CStrRegexStruct* node, char prefix, int32_t count, int32_t index, int32_t max)
    {
        node->prefix = prefix;
        node->count = count;
        node->index = index;
        node->max = max;
    }

    void Escape(CStrRegexStruct* node, char letter, char prefix, int32_t count, int32_t index, int32_t max)
    {
        CStrRegexStruct* e = node->children.Add();
        e->kind = REGEX_KIND_ESCAPE;
        e->letter = letter;
        if (std::strchr("$P^ep", letter))
            return;  // markers and anchors take no prefix and no numbers
        if (std::strchr("UVhtuv", letter))
            SetRepetition(e, prefix, index, count, max);  // N before the dot, repetitions after it
        else
            SetRepetition(e, prefix, count, index, max);
        if (letter != 'z' || *m_p == 0)
            return;
        // The operand of %z is the next character, or the "%" of a "%%".
        CStrRegexStruct* operand = e->children.Add();
        operand->kind = REGEX_KIND_LITERAL;
        if (m_p[0] == '%' && m_p[1] == '%') {
            operand->text.Append('%');
            m_p += 2;
            return;
        }
        const size_t n = CharLength();
        operand->text.Append(reinterpret_cast<const char*>(m_p), static_cast<int32_t>(n));
        m_p += n;
    }

    // "%-xy": a range of single bytes. With fewer than two characters after
    // the "-", the escape is dropped and those characters are literal text.
    bool Range(CStrRegexStruct* node, char prefix, int32_t count, int32_t index, int32_t max)
    {
        const unsigned char* start = m_p + 1;
        if (start[0] == 0)
            return (m_p = start, false);
        size_t first = SjisCharLength(reinterpret_cast<const char*>(start));
        if (start[first] == 0)
            return (m_p = start, false);
        size_t second = SjisCharLength(reinterpret_cast<const char*>(start + first));
        CStrRegexStruct* r = node->children.Add();
        r->kind = REGEX_KIND_RANGE;
        SetRepetition(r, prefix, count, index, max);
        r->rangeLow = first == 2 ? ' ' : static_cast<char>(start[0]);
        r->rangeHigh = second == 2 ? ' ' : static_cast<char>(start[first]);
        m_p = start + first + second;
        return true;
    }

    const unsigned char* m_p;
};

}  // namespace

void StrRegexCompile(const char* pattern, CStrRegexStruct* root)
{
    root->kind = REGEX_KIND_GROUP;
    Compiler(pattern ? pattern : "").Body(root, 0);
}
