// The two entry points of the pattern engine: search and replace on a string
// subject, and search over a plain text.

#include <cstring>

#include "pattern/regex_cache.h"
#include "pattern/regex_matcher.h"
#include "pattern/regex_meter.h"
#include "pattern/regex_types.h"

namespace {

struct Options {
    bool ignoreCase = false;
    bool global = false;
    bool stopAtFailure = false;
};

Options ReadOptions(const char* text)
{
    Options o;
    for (const char* p = text ? text : ""; *p; ++p) {
        o.ignoreCase |= *p == 'i';
        o.global |= *p == 'g';
        o.stopAtFailure |= *p == 's';
    }
    return o;
}

// The capture list does not free the buffers of removed captures while the
// engine runs; the caller's setting comes back at the end of the call.
class OwningOff {
public:
    explicit OwningOff(CStrRegexMatchStruct* captures) : m_p(captures), m_bWas(captures->IsOwning())
    {
        captures->SetOwning(false);
    }
    ~OwningOff() { m_p->SetOwning(m_bWas); }

private:
    CStrRegexMatchStruct* m_p;
    bool m_bWas;
};

// What both entry points set up: the compiled pattern, the options, and the
// capture list (the caller's or a private one), emptied with the hit list.
class CallState {
public:
    CallState(const char* pattern, const char* options, CStrRegexMatchStruct* list, CStrRegexHitList* hits)
        : compiled(StrRegexCompileCached(pattern)), opt(ReadOptions(options)), captures(list ? list : &m_own),
          m_owning(captures)
    {
        captures->RemoveAll();
        if (hits)
            hits->RemoveAll();
    }

private:
    CStrRegexMatchStruct m_own;

public:
    const std::shared_ptr<const CStrRegexCompiled> compiled;
    const Options opt;
    CStrRegexMatchStruct* const captures;

private:
    OwningOff m_owning;
};

// Next position at or after p (a character start) where the byte is one of
// `first` and a character starts, or `length` when there is none.
uint32_t SkipToCandidate(const char* text, uint32_t length, uint32_t p, const CStrRegexFirstBytes& first)
{
    const auto byte = [text](uint32_t at) { return static_cast<unsigned char>(text[at]); };
    for (;;) {
        uint32_t q;
        if (first.single >= 0) {
            const void* hit = std::memchr(text + p, first.single, length - p);
            if (!hit)
                return length;
            q = static_cast<uint32_t>(static_cast<const char*>(hit) - text);
        } else {
            q = p;
            while (q < length && !first.bytes[byte(q)])
                ++q;
            if (q >= length)
                return length;
        }
        if (IsSjisCharStart(text, p, q))
            return q;
        p = q + 1;
    }
}

// Expands a replacement template: "%%" gives "%", "%Nv" capture N, "%NV"
// capture (count - N - 1); "%", optional digits and any other character give
// that character. The meter takes every byte before it is appended.
template <class Meter>
void ExpandTemplate(const char* replace, const CStrRegexMatchStruct& captures, CStr_base<16384>& out, Meter& meter)
{
    auto append = [&out, &meter](const char* bytes, size_t n) {
        meter.Charge(static_cast<int64_t>(n));
        meter.Spend(1 + (n >> 6));
        out.Append(bytes, static_cast<int32_t>(n));
    };
    const char* p = replace;
    if (!std::strchr(p, '%')) {
        append(p, std::strlen(p));
        return;
    }
    while (*p) {
        const char* percent = std::strchr(p, '%');
        const char* stop = percent ? percent : p + std::strlen(p);
        // "%" is never the second byte of a character: the bytes up to it are
        // copied as they stand.
        append(p, static_cast<size_t>(stop - p));
        if (!percent)
            return;
        p = percent + 1;
        if (*p == '%') {
            append("%", 1);
            ++p;
            continue;
        }
        bool digits = false;
        uint64_t n = 0;
        while (*p >= '0' && *p <= '9') {
            digits = true;
            n = n * 10 + static_cast<unsigned>(*p - '0');
            if (n > UINT32_MAX)
                n = UINT32_MAX;
            ++p;
        }
        if (!*p)
            return;
        const uint32_t count = captures.GetCount();
        if (digits && (*p == 'v' || *p == 'V')) {
            if (n < count) {
                const CStr_base<16384>& capture =
                    captures[*p == 'v' ? static_cast<uint32_t>(n) : count - 1 - static_cast<uint32_t>(n)];
                append(capture.GetBuffer(), capture.GetLength());
            }
            ++p;
            continue;
        }
        const size_t len = SjisCharLength(p);
        append(p, len);
        p += len;
    }
}

template <class Meter>
void AppendCopy(CStrRegexHistory* history, const CStrRegexMatchStruct& captures, Meter& meter)
{
    meter.Charge(static_cast<int64_t>(sizeof(CStrRegexMatchStruct)) + kStrRegexCaptureBytes);
    CStrRegexMatchStruct* copy = history->Add();
    copy->RemoveAll();
    for (const CStr_base<16384>& c : captures) {
        meter.Charge(kStrRegexCaptureBytes + c.GetLength());
        meter.Spend(1 + (c.GetLength() >> 6));
        copy->Add()->Assign(c);
    }
}

template <class Meter>
void AddHit(CStrRegexHitList* hits, uint32_t offset, uint32_t length, Meter& meter)
{
    if (!hits)
        return;
    meter.Charge(kStrRegexHitBytes);
    CStrRegexHitBufStruct* hit = hits->Add();
    hit->offset = offset;
    hit->length = length;
}

template <class Meter>
int32_t SubjectScan(const char* subject, uint32_t length, const char* pattern, const char* options,
                    CStrRegexMatchStruct* captures, const char* replace, CStrRegexHistory* history, int32_t start,
                    CStrRegexHitList* hits, const StrRegexReplaceFunc& func, CStr_base<16384>* output, Meter& meter)
{
    CallState call(pattern, options, captures, hits);
    captures = call.captures;
    const CStrRegexStruct& root = call.compiled->root;
    const Options& opt = call.opt;
    const bool replacing = replace && output;
    if (replacing)
        output->Assign("");

    uint32_t p = start < 0 ? 0 : static_cast<uint32_t>(start);
    if (p > length) {
        if (replacing)
            output->Assign(subject, static_cast<int32_t>(length));
        return 0;
    }
    if (replacing) {
        output->Reserve(length + length / 8 + 2);
        output->Append(subject, static_cast<int32_t>(p));  // text before the start offset stays
    }

    const CStrRegexFirstBytes first = opt.stopAtFailure ? CStrRegexFirstBytes{} : call.compiled->first[opt.ignoreCase];
    CStrRegexMatcher<Meter> matcher(subject, subject + length, subject + p, opt.ignoreCase, captures, meter);
    int32_t count = 0;
    while (p <= length) {
        meter.Spend(1);
        if (first.useful && p < length && !first.bytes[static_cast<unsigned char>(subject[p])]) {
            const uint32_t q = SkipToCandidate(subject, length, p, first);
            if (replacing)
                output->Append(subject + p, static_cast<int32_t>(q - p));
            p = q;
        }
        captures->RemoveAll();
        const char* end = matcher.MatchRoot(root, subject + p);
        uint32_t matched = end ? static_cast<uint32_t>(end - (subject + p)) : 0;
        bool tookOver = false;
        if (end && func) {
            const int32_t answer = func(subject + p, p, matched, replace, output, captures);
            if (answer < 0 && answer != -2) {
                end = nullptr;
            } else if (answer >= 0) {
                matched = static_cast<uint32_t>(answer) > length - p ? length - p : static_cast<uint32_t>(answer);
                tookOver = replacing;
            }
        }
        if (!end) {
            if (opt.stopAtFailure) {
                if (replacing)
                    output->Append(subject + p, static_cast<int32_t>(length - p));
                break;
            }
            if (p == length)
                break;
            const uint32_t step = static_cast<uint32_t>(SjisCharLength(subject + p));
            if (replacing)
                output->Append(subject + p, static_cast<int32_t>(step));
            p += step;
            continue;
        }

        if (!replacing || tookOver) {
            AddHit(hits, p, matched, meter);
        } else {
            const uint32_t before = output->GetLength();
            ExpandTemplate(replace, *captures, *output, meter);
            AddHit(hits, before, output->GetLength() - before, meter);
        }
        p += matched;
        if (history)
            AppendCopy(history, *captures, meter);
        if (!opt.global) {
            if (replacing)
                output->Append(subject + p, static_cast<int32_t>(length - p));
            return 1;
        }
        if (matched == 0) {
            if (p < length) {
                const uint32_t step = static_cast<uint32_t>(SjisCharLength(subject + p));
                if (replacing)
                    output->Append(subject + p, static_cast<int32_t>(step));
                p += step;
            } else {
                ++p;
            }
        }
        ++count;
        captures->RemoveAll();
    }
    return count;
}

template <class Meter>
int32_t PlainScan(const char* text, const char* pattern, const char* options, CStrRegexMatchStruct* captures,
                  CStrRegexHistory* history, CStrRegexHitList* hits, const StrRegexMatchFunc& func, Meter& meter)
{
    CallState call(pattern, options, captures, hits);
    captures = call.captures;
    const CStrRegexStruct& root = call.compiled->root;
    const Options& opt = call.opt;

    const uint32_t length = static_cast<uint32_t>(std::strlen(text));
    const CStrRegexFirstBytes first = opt.stopAtFailure ? CStrRegexFirstBytes{} : call.compiled->first[opt.ignoreCase];
    CStrRegexMatcher<Meter> matcher(text, text + length, text, opt.ignoreCase, captures, meter);
    int32_t count = 0;
    uint32_t p = 0;
    while (p < length) {
        meter.Spend(1);
        if (first.useful && !first.bytes[static_cast<unsigned char>(text[p])]) {
            p = SkipToCandidate(text, length, p, first);
            if (p >= length)
                break;
        }
        captures->RemoveAll();
        const char* end = matcher.MatchRoot(root, text + p);
        int64_t matched = end ? end - (text + p) : -1;
        if (end && func)
            matched = func(text + p, p, static_cast<uint32_t>(matched), captures);
        if (matched < 0) {
            if (opt.stopAtFailure)
                break;
            p += static_cast<uint32_t>(SjisCharLength(text + p));
            continue;
        }
        if (matched > length - p)
            matched = length - p;
        AddHit(hits, p, static_cast<uint32_t>(matched), meter);
        p += static_cast<uint32_t>(matched);
        if (history)
            AppendCopy(history, *captures, meter);
        if (!opt.global)
            return 1;
        if (matched == 0)
            p += static_cast<uint32_t>(SjisCharLength(text + p));
        ++count;
        captures->RemoveAll();
    }
    return count;
}

// Runs `scan` with no meter, or with the meter of `budget`. A call that its
// budget stops leaves the capture list and the hit list empty and the
// history as it was (the capture list's own setting is back by then).
template <class Scan>
int32_t Run(CStrRegexBudget* budget, CStrRegexMatchStruct* captures, CStrRegexHistory* history,
            CStrRegexHitList* hits, Scan scan)
{
    if (!budget) {
        CStrRegexFreeMeter none;
        return scan(none);
    }
    const uint32_t kept = history ? history->GetCount() : 0;
    CStrRegexMeter meter(*budget);
    try {
        const int32_t count = scan(meter);
        meter.Report();
        return count;
    } catch (const CStrRegexStopped&) {
        if (captures)
            captures->RemoveAll();
        if (hits)
            hits->RemoveAll();
        if (history) {
            for (uint32_t i = kept; i < history->GetCount(); ++i)
                (*history)[i].RemoveAll();  // frees their texts now
            history->Truncate(kept);
        }
        return kStrRegexStopped;
    }
}

}  // namespace

int32_t StrRegexSubject(const char* subject, uint32_t length, const char* pattern, const char* options,
                        CStrRegexMatchStruct* captures, const char* replace, CStrRegexHistory* history,
                        int32_t start, CStrRegexHitList* hits, const StrRegexReplaceFunc& func,
                        CStr_base<16384>* output, CStrRegexBudget* budget)
{
    return Run(budget, captures, history, hits, [&](auto& meter) {
        return SubjectScan(subject, length, pattern, options, captures, replace, history, start, hits, func, output,
                           meter);
    });
}

int32_t StrRegex(const char* text, const char* pattern, const char* options, CStrRegexMatchStruct* captures,
                 CStrRegexHistory* history, CStrRegexHitList* hits, const StrRegexMatchFunc& func,
                 CStrRegexBudget* budget)
{
    if (!text)
        text = "";
    return Run(budget, captures, history, hits, [&](auto& meter) {
        return PlainScan(text, pattern, options, captures, history, hits, func, meter);
    });
}
