// Backtracking matcher over a compiled pattern.
//
// Committed choice: a finished element is never re-entered with another
// choice, except that a "+" or "*" element searches over the rest of its
// body. Repetition is iterative, so the depth of nested calls depends on the
// pattern only, never on the length of the text.
//
// The matcher spends its work and memory through a meter (regex_meter.h):
// it is built once without a budget and once under one.
#pragma once

#include <cstdint>

#include "pattern/regex_types.h"

// Process-wide engine state, set at the start of every entry-point call: the
// position that %^ and %g compare against, and the ignore-case flag.
extern const char* g_pStrRegexOrigin;
extern bool g_bStrRegexIgnoreCase;

template <class Meter>
class CStrRegexMatcher {
public:
    // `text` .. `end` is the searched text (zero-terminated at `end`).
    CStrRegexMatcher(const char* text, const char* end, CStrRegexMatchStruct* captures, Meter& meter)
        : m_pText(text), m_pEnd(end), m_pCaptures(captures), m_meter(meter)
    {
    }

    // Matches the root group at pos; returns the end of the match or null.
    const char* MatchRoot(CStrRegexStruct& root, const char* pos);

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
    const char* Once(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos);
    bool Element(CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Repeat(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Negate(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Lazy(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Greedy(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos, Outcome& out);
    bool Rest(CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out);
    bool Sequence(CStrRegexBody& body, const char* pos, Outcome& out);
    bool Walk(CStrRegexBody& body, uint32_t from, const char* pos, Outcome& out);
    const char* Alternatives(CStrRegexBody& body, const char* pos);
    const char* Compare(const char* bytes, uint32_t n, const char* pos);
    const char* Escape(CStrRegexStruct& node, CStrRegexBody& body, uint32_t index, const char* pos);
    void AddCapture(const char* from, uint32_t n);

    const char* m_pText;
    const char* m_pEnd;
    CStrRegexMatchStruct* m_pCaptures;
    Meter& m_meter;
    int m_nDepth = 0;
};
