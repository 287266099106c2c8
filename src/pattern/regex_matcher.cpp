#include "pattern/regex_matcher.h"

#include <cstring>
#include <vector>

#include "foundation/ascii_case.h"
#include "pattern/regex_classes.h"
#include "pattern/regex_first_bytes.h"
#include "pattern/regex_meter.h"
#include "pattern/regex_registry.h"

namespace {

// Element calls nested deeper than this fail: it bounds the stack for patterns
// with very many "+" or "*" elements in one body.
constexpr int kMaxDepth = 1500;

bool IsMarker(const CStrRegexStruct& node, char letter)
{
    return node.kind == REGEX_KIND_ESCAPE && node.letter == letter;
}

// Compares `n` bytes of a pattern text with the subject, character by
// character; single-byte characters ignore case when asked to.
bool EqualText(const char* pattern, uint32_t n, const char* text, bool ignoreCase)
{
    if (!ignoreCase)
        return std::memcmp(pattern, text, n) == 0;
    for (uint32_t k = 0; k < n;) {
        if (SjisCharLength(pattern, k, n) == 2) {
            if (pattern[k] != text[k] || pattern[k + 1] != text[k + 1])
                return false;
            k += 2;
        } else {
            if (AsciiUpper(pattern[k]) != AsciiUpper(text[k]))
                return false;
            ++k;
        }
    }
    return true;
}

// "%j": any character. The repetitions of the system's parsers are mostly
// of this one, so they step over characters without a call per character.
bool IsAnyCharacter(const CStrRegexStruct& node)
{
    return node.kind == REGEX_KIND_ESCAPE && node.letter == 'j';
}

struct DepthGuard {
    explicit DepthGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthGuard() { --m_depth; }
    int& m_depth;
};

}  // namespace

// Positions recorded by a "*" element: the current block of up to 1000
// entries, and the first entry of every earlier block as a checkpoint from
// which that block is matched again when backtracking reaches it.
template <class Meter>
struct CStrRegexMatcher<Meter>::GreedyHistory {
    struct Entry {
        const char* pos;
        uint32_t captures;
    };
    static constexpr size_t kBlock = 1000;

    explicit GreedyHistory(Meter& meter) : m_meter(meter) {}
    GreedyHistory(const GreedyHistory&) = delete;
    GreedyHistory& operator=(const GreedyHistory&) = delete;
    ~GreedyHistory() { m_meter.Charge(-m_nCharged); }

    std::vector<Entry> block;
    std::vector<Entry> checkpoints;

    void Record(const char* pos, uint32_t captures)
    {
        if (block.size() == kBlock) {
            Push(checkpoints, block.front());
            block.clear();
        }
        if (block.capacity() == 0) {
            Charge(16);
            block.reserve(16);
        }
        Push(block, {pos, captures});
    }

    void Push(std::vector<Entry>& list, Entry entry)
    {
        if (list.size() == list.capacity())
            Charge(list.capacity() ? list.capacity() : 1);
        list.push_back(entry);
    }

private:
    // Takes the memory of `entries` more entries before a list grows.
    void Charge(size_t entries)
    {
        const int64_t bytes = static_cast<int64_t>(entries * sizeof(Entry));
        m_meter.Charge(bytes);
        m_nCharged += bytes;
    }

    Meter& m_meter;
    int64_t m_nCharged = 0;
};

template <class Meter>
const char* CStrRegexMatcher<Meter>::NextCharacter(const char* pos) const
{
    if (pos >= m_pEnd)
        return nullptr;
    return pos + SjisCharLength(pos, 0, static_cast<size_t>(m_pEnd - pos));
}

template <class Meter>
const char* CStrRegexMatcher<Meter>::MatchRoot(const CStrRegexStruct& root, const char* pos)
{
    Outcome out;
    if (!Sequence(root.children, pos, out))
        return nullptr;
    return out.end;
}

template <class Meter>
void CStrRegexMatcher<Meter>::AddCapture(const char* from, uint32_t n)
{
    CStrRegexMatchStruct& caps = *m_pCaptures;
    if (caps.GetCount() == caps.GetAllocated())
        m_meter.Charge(static_cast<int64_t>(caps.GetGrowthStep()) * kStrRegexCaptureBytes);
    CStr_base<16384>* capture = caps.Add();
    // A capture handed out again keeps its buffer while the engine runs.
    const uint32_t held = capture->GetLength();
    if (n > held)
        m_meter.Charge(n - held);
    m_meter.Spend(n >> 6);
    capture->Assign(from, static_cast<int32_t>(n));
}

template <class Meter>
const char* CStrRegexMatcher<Meter>::Once(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                          const char* pos)
{
    m_meter.Spend(1);
    switch (node.kind) {
    case REGEX_KIND_EMPTY:
        return pos;
    case REGEX_KIND_LITERAL:
        return Compare(node.text.GetBuffer(), node.text.GetLength(), pos);
    case REGEX_KIND_GROUP: {
        Outcome out;
        return Sequence(node.children, pos, out) ? out.end : nullptr;
    }
    case REGEX_KIND_CAPTURE: {
        Outcome out;
        if (!Sequence(node.children, pos, out))
            return nullptr;
        const char* stop = out.captureEnd ? out.captureEnd : out.end;
        if (stop > m_pEnd)
            stop = m_pEnd;
        AddCapture(pos, static_cast<uint32_t>(stop > pos ? stop - pos : 0));
        return out.end;
    }
    case REGEX_KIND_ALTERNATIVES:
        return Alternatives(node.children, pos);
    case REGEX_KIND_ESCAPE:
        if (StrRegexIsClassLetter(node.letter)) {
            const int32_t used = StrRegexClassMatch(node.letter, pos, m_pEnd);
            return used < 0 ? nullptr : pos + used;
        }
        return Escape(node, body, index, pos);
    case REGEX_KIND_RANGE: {
        if (pos >= m_pEnd)
            return nullptr;
        const signed char c = static_cast<signed char>(*pos);
        return (c >= static_cast<signed char>(node.rangeLow) && c <= static_cast<signed char>(node.rangeHigh))
                   ? pos + 1
                   : nullptr;
    }
    default:
        throw static_cast<int32_t>(0);
    }
}

// A literal or the text of a back-reference at pos.
template <class Meter>
const char* CStrRegexMatcher<Meter>::Compare(const char* bytes, uint32_t n, const char* pos)
{
    if (static_cast<size_t>(m_pEnd - pos) < n)
        return nullptr;
    m_meter.Spend(n >> 6);
    return EqualText(bytes, n, pos, m_bIgnoreCase) ? pos + n : nullptr;
}

template <class Meter>
const char* CStrRegexMatcher<Meter>::Escape(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                            const char* pos)
{
    CStrRegexMatchStruct& caps = *m_pCaptures;
    const int32_t n = node.index;  // the N of v, V, h, t, u, U (-1 when absent)
    switch (node.letter) {
    case '$':
        return pos == m_pEnd ? pos : nullptr;
    case '^':
        return pos == m_pOrigin ? pos : nullptr;
    case 'g':
        return (pos == m_pOrigin || (pos > m_pText && pos[-1] == '\n')) ? pos : nullptr;
    case 'G':
        return (pos == m_pEnd || *pos == '\n') ? pos : nullptr;
    case 'e':
    case 'p':
    case 'P':
        return pos;
    case 'v':
    case 'V': {
        const uint32_t count = caps.GetCount();
        if (n < 0 || static_cast<uint32_t>(n) >= count)
            return pos;
        const uint32_t i = static_cast<uint32_t>(n);
        const CStr_base<16384>& text = caps[node.letter == 'v' ? i : count - 1 - i];
        return Compare(text.GetBuffer(), text.GetLength(), pos);
    }
    case 'u':
    case 'U': {
        int32_t used = -1;
        if (n >= 0) {
            if (node.letter == 'u') {
                if (StrRegexLowerMatcher f = StrRegexLowerEntry(static_cast<uint32_t>(n)))
                    used = f(pos, &node, &body, index);
            } else if (StrRegexUpperMatcher f = StrRegexUpperEntry(static_cast<uint32_t>(n))) {
                used = f(pos, &node, &body, index, m_pCaptures);
            }
        }
        if (used < 0)
            return nullptr;
        return static_cast<size_t>(used) > static_cast<size_t>(m_pEnd - pos) ? m_pEnd : pos + used;
    }
    case 'T':
        AddCapture(pos, 0);
        return pos;
    case 'H':
        caps.RemoveTail();
        return pos;
    case 'h':
        if (n >= 0 && static_cast<uint32_t>(n) < caps.GetCount()) {
            m_meter.Spend((caps.GetCount() - static_cast<uint32_t>(n)) >> 3);  // the slots after it move
            caps.RemoveAt(static_cast<uint32_t>(n));
        }
        return pos;
    case 't': {
        if (n < 0)
            return pos;
        CStr_base<16384> newest;
        if (caps.GetCount()) {
            const CStr_base<16384>& last = *caps.GetLast();
            m_meter.Charge(last.GetLength());
            m_meter.Spend(last.GetLength() >> 6);
            newest = last;
        }
        while (caps.GetCount() <= static_cast<uint32_t>(n)) {
            m_meter.Spend(1);
            AddCapture(pos, 0);
        }
        CStr_base<16384>& target = caps[static_cast<uint32_t>(n)];
        m_meter.Charge(-static_cast<int64_t>(target.GetLength()));  // its buffer goes with `newest`
        target.Swap(newest);
        return pos;
    }
    case 'z':
        if (node.children.GetCount() == 0)
            return pos;
        return Compare(node.children[0].text.GetBuffer(), node.children[0].text.GetLength(), pos);
    default:
        throw static_cast<int32_t>(0);
    }
}

template <class Meter>
const char* CStrRegexMatcher<Meter>::Alternatives(const CStrRegexBody& body, const char* pos)
{
    const uint32_t count = body.GetCount();
    for (uint32_t i = 0; i < count; ++i) {
        const CStrRegexStruct& child = body[i];
        if (IsMarker(child, 'p')) {
            m_meter.Spend(1);
            continue;
        }
        if (IsMarker(child, 'P')) {
            if (pos == m_pEnd)
                return pos;
            m_meter.Spend(1);
            continue;
        }
        Outcome out;
        if (Element(body, i, pos, out))
            return out.end;
    }
    return nullptr;
}

template <class Meter>
bool CStrRegexMatcher<Meter>::Sequence(const CStrRegexBody& body, const char* pos, Outcome& out)
{
    const uint32_t mark = m_pCaptures->GetCount();
    if (!Walk(body, 0, pos, out)) {
        m_pCaptures->Truncate(mark);
        return false;
    }
    out.coversRest = false;
    return true;
}

template <class Meter>
bool CStrRegexMatcher<Meter>::Rest(const CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out)
{
    if (!Walk(body, from, pos, out))
        return false;
    out.coversRest = true;
    return true;
}

// Matches the children of `body` from `from` on in a row. %p remembers the
// match end, %P also ends the walk with success at the end of the text, %e
// remembers the capture end; a "+" or "*" child covers the rest of the body.
template <class Meter>
bool CStrRegexMatcher<Meter>::Walk(const CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out)
{
    const uint32_t count = body.GetCount();
    const char* matchEnd = nullptr;
    const char* captureEnd = nullptr;
    for (uint32_t i = from; i < count; ++i) {
        const CStrRegexStruct& child = body[i];
        if (child.kind == REGEX_KIND_ESCAPE) {
            if (child.letter == 'p' || child.letter == 'P') {
                m_meter.Spend(1);
                matchEnd = pos;
                if (child.letter == 'P' && pos == m_pEnd)
                    break;
                continue;
            }
            if (child.letter == 'e') {
                m_meter.Spend(1);
                captureEnd = pos;
                continue;
            }
        }
        Outcome element;
        if (!Element(body, i, pos, element))
            return false;
        pos = element.end;
        if (element.captureEnd)
            captureEnd = element.captureEnd;
        if (element.coversRest)
            break;
    }
    out.end = matchEnd ? matchEnd : pos;
    out.captureEnd = captureEnd;
    return true;
}

template <class Meter>
bool CStrRegexMatcher<Meter>::Element(const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out)
{
    DepthGuard guard(m_nDepth);
    if (m_nDepth > kMaxDepth)
        return false;
    const CStrRegexStruct& node = body[index];
    const uint32_t mark = m_pCaptures->GetCount();
    bool ok;
    switch (node.prefix) {
    case '!': ok = Negate(node, body, index, pos, out); break;
    case '+': ok = Lazy(node, body, index, pos, out); break;
    case '*': ok = Greedy(node, body, index, pos, out); break;
    default: ok = Repeat(node, body, index, pos, out); break;
    }
    // A failed element leaves no captures behind.
    if (!ok)
        m_pCaptures->Truncate(mark);
    return ok;
}

// No prefix: exactly count times, then with a max as many more as match.
// "/": as no prefix, but without a max it goes on while each further match
// consumes at least one byte.
template <class Meter>
bool CStrRegexMatcher<Meter>::Repeat(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                     const char* pos, Outcome& out)
{
    const int32_t count = node.count < 0 ? 1 : node.count;
    for (int32_t k = 0; k < count; ++k) {
        pos = Once(node, body, index, pos);
        if (!pos)
            return false;
    }
    if (node.max >= 0) {
        // A further match that consumes nothing would only repeat itself.
        for (int64_t k = count; k < node.max; ++k) {
            const char* next = Once(node, body, index, pos);
            if (!next)
                break;
            const bool empty = next == pos;
            pos = next;
            if (empty)
                break;
        }
    } else if (node.prefix == '/' && IsAnyCharacter(node)) {
        pos = m_pEnd;  // every further character matches
    } else if (node.prefix == '/') {
        for (;;) {
            const uint32_t mark = m_pCaptures->GetCount();
            const char* next = Once(node, body, index, pos);
            if (!next)
                break;
            if (next == pos) {
                m_pCaptures->Truncate(mark);
                break;
            }
            pos = next;
        }
    }
    out.end = pos;
    return true;
}

// "!": succeeds consuming nothing when the element does not match count times.
template <class Meter>
bool CStrRegexMatcher<Meter>::Negate(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                     const char* pos, Outcome& out)
{
    const uint32_t mark = m_pCaptures->GetCount();
    const int32_t count = node.count < 0 ? 1 : node.count;
    const char* p = pos;
    bool matched = true;
    for (int32_t k = 0; k < count && matched; ++k) {
        p = Once(node, body, index, p);
        matched = p != nullptr;
    }
    m_pCaptures->Truncate(mark);
    if (matched)
        return false;
    out.end = pos;
    return true;
}

// "+": count times, then as few more as the rest of the body needs.
template <class Meter>
bool CStrRegexMatcher<Meter>::Lazy(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                   const char* pos, Outcome& out)
{
    const int32_t count = node.count < 0 ? 1 : node.count;
    for (int32_t k = 0; k < count; ++k) {
        pos = Once(node, body, index, pos);
        if (!pos)
            return false;
    }
    const bool anyCharacter = IsAnyCharacter(node);
    // Bytes at which the rest can match, worked out after its first failure.
    CStrRegexFirstBytes rest;
    bool restKnown = false;
    for (int64_t extra = 0;; ++extra) {
        m_meter.Spend(1);
        if (!restKnown || !rest.useful || rest.bytes[static_cast<unsigned char>(*pos)]) {
            const uint32_t mark = m_pCaptures->GetCount();
            if (Rest(body, index + 1, pos, out))
                return true;
            m_pCaptures->Truncate(mark);
            if (!restKnown) {
                m_meter.Spend((body.GetCount() - index) >> 3);
                rest = StrRegexRestFirstBytes(body, index + 1, m_bIgnoreCase);
                restKnown = true;
            }
        }
        if (node.max >= 0 && extra >= static_cast<int64_t>(node.max) - count)
            return false;
        const char* next = anyCharacter ? NextCharacter(pos) : Once(node, body, index, pos);
        // A further match that consumes nothing cannot bring the rest any
        // closer: the element fails instead of looping for ever.
        if (!next || next == pos)
            return false;
        pos = next;
    }
}

// "*": count times, then as many as possible, giving back one repetition at a
// time until the rest of the body matches.
template <class Meter>
bool CStrRegexMatcher<Meter>::Greedy(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index,
                                     const char* pos, Outcome& out)
{
    const int32_t count = node.count < 0 ? 1 : node.count;
    int64_t matches = 0;
    bool stopped = false;
    for (int32_t k = 0; k < count; ++k) {
        const char* next = Once(node, body, index, pos);
        if (!next)
            return false;
        ++matches;
        stopped = next == pos;
        pos = next;
        if (stopped)
            break;
    }

    GreedyHistory history(m_meter);
    history.Record(pos, m_pCaptures->GetCount());
    const bool anyCharacter = IsAnyCharacter(node);
    while (!stopped && (node.max < 0 || matches < node.max)) {
        m_meter.Spend(1);
        const char* next = anyCharacter ? NextCharacter(pos) : Once(node, body, index, pos);
        if (!next || next == pos)
            break;
        ++matches;
        pos = next;
        history.Record(pos, m_pCaptures->GetCount());
    }

    m_meter.Spend((body.GetCount() - index) >> 3);
    const CStrRegexFirstBytes rest = StrRegexRestFirstBytes(body, index + 1, m_bIgnoreCase);
    for (;;) {
        if (history.block.empty()) {
            if (history.checkpoints.empty())
                return false;
            // Match the block that starts at the checkpoint again.
            const typename GreedyHistory::Entry start = history.checkpoints.back();
            history.checkpoints.pop_back();
            m_pCaptures->Truncate(start.captures);
            history.Push(history.block, start);
            const char* p = start.pos;
            while (history.block.size() < GreedyHistory::kBlock) {
                const char* next = Once(node, body, index, p);
                if (!next || next == p)
                    break;
                p = next;
                history.Push(history.block, {p, m_pCaptures->GetCount()});
            }
        }
        const typename GreedyHistory::Entry entry = history.block.back();
        history.block.pop_back();
        if (rest.useful && !rest.bytes[static_cast<unsigned char>(*entry.pos)])
            continue;
        m_pCaptures->Truncate(entry.captures);
        if (Rest(body, index + 1, entry.pos, out))
            return true;
    }
}

template class CStrRegexMatcher<CStrRegexFreeMeter>;
template class CStrRegexMatcher<CStrRegexMeter>;
