// Backtracking matcher over a compiled pattern.
//
// Committed choice: a finished element is never re-entered with another
// choice, except that a "+" or "*" element searches over the rest of its
// body. Repetition is iterative, so the depth of nested calls depends on the
// pattern only, never on the length of the text.
//
// The matcher spends its work and memory through a meter (regex_meter.h):
// it is built once without a budget and once under one.
//
// Everything a match depends on belongs to the matcher of one call: the
// search origin, the ignore-case flag, the capture list and the meter. The
// compiled pattern is only read, so calls on several threads at once, and
// calls made from a match function, do not disturb one another.
#pragma once

#include <cstdint>

#include "pattern/regex_types.h"

template <class Meter>
class CStrRegexMatcher {
public:
    // `text` .. `end` is the searched text (zero-terminated at `end`);
    // `origin` is the position that %^ and %g compare against.
    CStrRegexMatcher(const char* text, const char* end, const char* origin, bool ignoreCase,
                     CStrRegexMatchStruct* captures, Meter& meter)
        : m_pText(text), m_pEnd(end), m_pOrigin(origin), m_bIgnoreCase(ignoreCase), m_pCaptures(captures),
          m_meter(meter)
    {
    }

    // Matches the root group at pos; returns the end of the match or null.
    const char* MatchRoot(const CStrRegexStruct& root, const char* pos);

private:
    // What an element or a sequence matched: where it ends, the capture end
    // it reports (null for none), and whether it covered the rest of its body.
    struct Outcome {
        const char* end = nullptr;
        const char* captureEnd = nullptr;
        bool coversRest = false;
    };
    struct GreedyHistory;

    const char* NextCharacter(const char* pos) const;
    const char* Once(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos);
    bool Element(const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Repeat(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Negate(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Lazy(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Greedy(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Rest(const CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out);
    bool Sequence(const CStrRegexBody& body, const char* pos, Outcome& out);
    bool Walk(const CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out);
    const char* Alternatives(const CStrRegexBody& body, const char* pos);
    const char* Compare(const char* bytes, uint32_t n, const char* pos);
    const char* Escape(const CStrRegexStruct& node, const CStrRegexBody& body, uint32_t index, const char* pos);
    void AddCapture(const char* from, uint32_t n);

    const char* m_pText;
    const char* m_pEnd;
    const char* m_pOrigin;
    bool m_bIgnoreCase;
    CStrRegexMatchStruct* m_pCaptures;
    Meter& m_meter;
    int m_nDepth = 0;
};
