// libFuzzer target for the pattern engine.
//
// Input: pattern, text, options and replacement template, separated by zero
// bytes (the engine's texts end at a zero byte, so none can hold one).
// Missing parts are empty; bytes after the fourth part are ignored.
//
// Every input goes through both entry points, each call under a small
// budget (patterns whose repetitions multiply stop when it runs out):
//   1. CStr_base::Regex searching, with capture list, history and hit list;
//   2. CStr_base::Regex replacing by the template, with the same lists;
//   3. StrRegex, with the same lists.
// A call that its budget stopped must say so and leave no result: the
// subject unchanged, the lists empty. When all three ran to their end, the
// search runs once more without a budget and must find the same, and besides
// crashes, sanitizer reports and exceptions (the engine raises none for any
// pattern or text), the results are cross-checked:
//   - each call records one hit and one history entry per match;
//   - without "g" there is at most one match;
//   - search hits lie in the text, in order and without overlap;
//   - the capture list holds the last match's captures without "g", and
//     nothing after a call with "g";
//   - the replacing call finds the same matches with the same captures as
//     the searching one, and its output is the text with every match
//     replaced by the expanded template;
//   - StrRegex finds the same matches as the search, which may have one more:
//     an empty match at the very end of the text;
//   - a pattern without "%" (one plain literal) finds what a plain scan for
//     that literal finds;
//   - with options of "g" and "i" only, a text of up to 64 bytes and a
//     pattern without "%^" and "%g" (which compare with the search origin,
//     the start offset), the search finds what trying one start position at a time finds (option
//     "s" with a start offset, which never skips): the loops that pass over
//     positions where no match can start, and the rest attempts that "+"
//     and "*" skip, lose nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/sjis.h"
#include "pattern/editor_matchers.h"
#include "pattern/str_regex.h"
#include "regex_reference.h"

namespace {

struct Input {
    std::string pattern, text, options, replace;
};

Input Split(const uint8_t* data, size_t size)
{
    Input in;
    std::string* parts[] = {&in.pattern, &in.text, &in.options, &in.replace};
    size_t part = 0;
    for (size_t i = 0; i < size && part < 4; ++i) {
        if (data[i] == 0)
            ++part;
        else
            parts[part]->push_back(static_cast<char>(data[i]));
    }
    return in;
}

// The bytes as a C string literal: printable ASCII as is, the rest escaped.
std::string Quoted(const std::string& bytes)
{
    std::string out = "\"";
    for (const char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b == '"' || b == '\\') {
            out += '\\';
            out += c;
        } else if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", b);
            out += octal;
        }
    }
    return out + "\"";
}

[[noreturn]] void Fail(const Input& in, const char* what)
{
    std::fprintf(stderr, "CHECK FAILED: %s\n  pattern  %s\n  text     %s\n  options  %s\n  template %s\n", what,
                 Quoted(in.pattern).c_str(), Quoted(in.text).c_str(), Quoted(in.options).c_str(),
                 Quoted(in.replace).c_str());
    std::abort();
}

// Small enough that a stopped call takes a few milliseconds; far more than
// any seed needs.
CStrRegexBudget FuzzBudget()
{
    CStrRegexBudget budget;
    budget.maxSteps = 300'000;
    budget.maxBytes = 64u << 20;
    return budget;
}

struct Outcome {
    bool stopped = false;  // by the budget
    int32_t count = 0;
    std::vector<CStrRegexHitBufStruct> hits;
    std::vector<Captures> history;
    Captures captures;  // the capture list after the call
};

Captures CopyCaptures(const CStrRegexMatchStruct& list)
{
    Captures out;
    for (const CStr_base<16384>& c : list)
        out.emplace_back(c.GetBuffer(), c.GetLength());
    return out;
}

// Copies the engine's lists into plain values, so that the engine's own
// storage is freed before the next call.
Outcome Collect(int32_t count, const CStrRegexBudget* budget, const CStrRegexHitList& hits,
                const CStrRegexHistory& history, const CStrRegexMatchStruct& captures)
{
    Outcome o;
    o.stopped = budget && budget->stop != StrRegexStop::kNone;
    o.count = count;
    for (const CStrRegexHitBufStruct& h : hits)
        o.hits.push_back(h);
    for (const CStrRegexMatchStruct& m : history)
        o.history.push_back(CopyCaptures(m));
    o.captures = CopyCaptures(captures);
    return o;
}

Outcome Search(const Input& in, CStrRegexBudget* budget)
{
    CStr_base<64> subject(in.text.c_str());
    CStrRegexMatchStruct captures;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    int32_t count = subject.Regex(in.pattern.c_str(), in.options.c_str(), &captures, nullptr, &history, 0, &hits, {},
                                  budget);
    if (subject.GetLength() != in.text.size() || in.text != subject.GetBuffer())
        Fail(in, "a search changed its subject");
    return Collect(count, budget, hits, history, captures);
}

Outcome Replace(const Input& in, std::string* output, CStrRegexBudget* budget)
{
    CStr_base<64> subject(in.text.c_str());
    CStrRegexMatchStruct captures;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    int32_t count = subject.Regex(in.pattern.c_str(), in.options.c_str(), &captures, in.replace.c_str(), &history,
                                  0, &hits, {}, budget);
    output->assign(subject.GetBuffer(), subject.GetLength());
    return Collect(count, budget, hits, history, captures);
}

Outcome SearchPlain(const Input& in, CStrRegexBudget* budget)
{
    CStrRegexMatchStruct captures;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    int32_t count = StrRegex(in.text.c_str(), in.pattern.c_str(), in.options.c_str(), &captures, &history, &hits,
                             {}, budget);
    return Collect(count, budget, hits, history, captures);
}

// A call that its budget stopped returns kStrRegexStopped and leaves its
// lists empty; the figures stay within the limits (the bytes of a call
// stopped on memory include the request that was refused).
void CheckBudget(const Input& in, const Outcome& o, const CStrRegexBudget& budget, const char* call)
{
    const std::string what = std::string(call) + ": ";
    if (budget.steps > budget.maxSteps || (budget.stop != StrRegexStop::kMemory && budget.bytes > budget.maxBytes))
        Fail(in, (what + "the budget's figures exceed its limits").c_str());
    if (!o.stopped)
        return;
    if (o.count != kStrRegexStopped || !o.hits.empty() || !o.history.empty() || !o.captures.empty())
        Fail(in, (what + "a stopped call left a result").c_str());
}


bool SameHit(const CStrRegexHitBufStruct& a, const CStrRegexHitBufStruct& b)
{
    return a.offset == b.offset && a.length == b.length;
}


void CheckCounts(const Input& in, const Outcome& o, bool global, const char* call)
{
    std::string what = std::string(call) + ": ";
    if (o.count < 0 || o.hits.size() != static_cast<size_t>(o.count) || o.history.size() != o.hits.size())
        Fail(in, (what + "the count, the hits and the history disagree").c_str());
    if (!global && o.count > 1)
        Fail(in, (what + "more than one match without \"g\"").c_str());
    const Captures none;
    if (o.captures != (global || o.history.empty() ? none : o.history.back()))
        Fail(in, (what + "the capture list after the call is not what it should be").c_str());
}

// Whether the pattern may hold an escape that compares with the search
// origin ("%^", "%g", with or without counts before the letter).
bool NamesTheOrigin(const std::string& pattern)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%')
            continue;
        size_t letter = i + 1;
        while (letter < pattern.size() && std::strchr("+*/!-,0123456789", pattern[letter]) && pattern[letter])
            ++letter;
        if (letter < pattern.size() && (pattern[letter] == '^' || pattern[letter] == 'g'))
            return true;
    }
    return false;
}

// The search tried one start position at a time: option "s" without "g"
// tries only the start offset. Returns false when the calls together ran out
// of one call's budget (so that the check costs no more than a search).
bool OnePositionAtATime(const Input& in, bool global, Outcome* out)
{
    CStr_base<64> subject(in.text.c_str());
    std::string options = in.options + "s";
    options.erase(std::remove(options.begin(), options.end(), 'g'), options.end());
    const uint32_t size = static_cast<uint32_t>(in.text.size());
    uint32_t p = 0;
    uint64_t steps = 0;
    while (p <= size) {
        CStrRegexMatchStruct captures;
        CStrRegexHitList hits;
        CStrRegexBudget budget = FuzzBudget();
        budget.maxSteps -= steps;
        const int32_t found = subject.Regex(in.pattern.c_str(), options.c_str(), &captures, nullptr, nullptr,
                                            static_cast<int32_t>(p), &hits, {}, &budget);
        if (budget.stop != StrRegexStop::kNone)
            return false;
        steps += budget.steps;
        if (found != 1) {
            if (p == size)
                break;
            p += static_cast<uint32_t>(SjisCharLength(in.text.c_str() + p));
            continue;
        }
        const uint32_t length = hits[0].length;
        out->hits.push_back({p, length});
        out->history.push_back(CopyCaptures(captures));
        ++out->count;
        p += length;
        if (!global)
            break;
        if (length == 0) {
            if (p >= size)
                break;
            p += static_cast<uint32_t>(SjisCharLength(in.text.c_str() + p));
        }
    }
    return true;
}

void Check(const Input& in)
{
    const bool global = in.options.find('g') != std::string::npos;
    CStrRegexBudget budgets[3] = {FuzzBudget(), FuzzBudget(), FuzzBudget()};
    std::string output;
    const Outcome search = Search(in, &budgets[0]);
    const Outcome replace = Replace(in, &output, &budgets[1]);
    const Outcome plain = SearchPlain(in, &budgets[2]);
    CheckBudget(in, search, budgets[0], "search");
    CheckBudget(in, replace, budgets[1], "replace");
    CheckBudget(in, plain, budgets[2], "StrRegex");
    if (replace.stopped && output != in.text)
        Fail(in, "replace: a stopped call changed its subject");
    if (search.stopped || replace.stopped || plain.stopped)
        return;
    // Without a budget the engine runs the same steps to the same results.
    const Outcome free = Search(in, nullptr);
    if (free.count != search.count || free.history != search.history || free.captures != search.captures ||
        !std::equal(free.hits.begin(), free.hits.end(), search.hits.begin(), search.hits.end(), SameHit))
        Fail(in, "search: the results differ without a budget");

    CheckCounts(in, search, global, "search");
    uint64_t end = 0;
    for (size_t i = 0; i < search.hits.size(); ++i) {
        const CStrRegexHitBufStruct& h = search.hits[i];
        const uint64_t hitEnd = static_cast<uint64_t>(h.offset) + h.length;
        if (hitEnd > in.text.size() || h.offset < end || (i > 0 && h.offset == search.hits[i - 1].offset))
            Fail(in, "search: a hit lies outside the text or overlaps the one before");
        end = hitEnd;
    }
    if (in.pattern.find('%') == std::string::npos) {
        const std::vector<CStrRegexHitBufStruct> expected = LiteralHits(in.pattern, in.text, in.options);
        if (expected.size() != search.hits.size() ||
            !std::equal(expected.begin(), expected.end(), search.hits.begin(), SameHit))
            Fail(in, "search: the hits of a plain literal differ from a direct scan");
    }

    if (in.options.find_first_not_of("gi") == std::string::npos && in.text.size() <= 64 &&
        !NamesTheOrigin(in.pattern)) {
        Outcome reference;
        if (OnePositionAtATime(in, global, &reference) &&
            (reference.count != search.count || reference.history != search.history ||
             !std::equal(reference.hits.begin(), reference.hits.end(), search.hits.begin(), search.hits.end(),
                         SameHit)))
            Fail(in, "search: the matches differ from trying one start position at a time");
    }

    CheckCounts(in, replace, global, "replace");
    if (replace.history != search.history)
        Fail(in, "replace: the matches or captures differ from the search");
    std::string expected;
    std::vector<CStrRegexHitBufStruct> expectedHits;
    bool settled = true;
    size_t copied = 0;
    for (size_t i = 0; settled && i < search.hits.size(); ++i) {
        expected.append(in.text, copied, search.hits[i].offset - copied);
        const size_t at = expected.size();
        settled = ExpandTemplate(in.replace, search.history[i], &expected);
        expectedHits.push_back({static_cast<uint32_t>(at), static_cast<uint32_t>(expected.size() - at)});
        copied = search.hits[i].offset + search.hits[i].length;
    }
    if (settled) {
        expected.append(in.text, copied, std::string::npos);
        if (output != expected)
            Fail(in, "replace: the output is not the text with every match replaced");
        for (size_t i = 0; i < expectedHits.size(); ++i)
            if (!SameHit(replace.hits[i], expectedHits[i]))
                Fail(in, "replace: a hit does not give the place of its replacement");
    }

    CheckCounts(in, plain, global, "StrRegex");
    const size_t common = plain.hits.size();
    const bool finalEmpty = search.hits.size() == common + 1 && search.hits.back().offset == in.text.size();
    if (search.hits.size() != common && !finalEmpty)
        Fail(in, "StrRegex: the number of matches differs from the search");
    for (size_t i = 0; i < common; ++i)
        if (!SameHit(plain.hits[i], search.hits[i]) || plain.history[i] != search.history[i])
            Fail(in, "StrRegex: a match differs from the search");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterEditorMatchers();  // as the editor does at start-up
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Input in = Split(data, size);
    try {
        Check(in);
    } catch (uint32_t index) {
        std::fprintf(stderr, "exception: index %u\n", index);
        Fail(in, "the engine raised an exception");
    } catch (int32_t value) {
        std::fprintf(stderr, "exception: int32 %d\n", value);
        Fail(in, "the engine raised an exception");
    } catch (...) {
        Fail(in, "the engine raised an exception");
    }
    return 0;
}
