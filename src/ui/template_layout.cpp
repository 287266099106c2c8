#include "ui/template_layout.h"

#include <algorithm>
#include <cstdint>

namespace {

struct CSpan {
    int32_t from = 0;
    int32_t to = 0;
};

bool StretchesDown(const CUiControlTemplate& c)
{
    return c.kind == UiControlKind::kList || (c.kind == UiControlKind::kEdit && (c.style & kUiMultiLine));
}

bool StretchesSideways(const CUiControlTemplate& c)
{
    switch (c.kind) {
    case UiControlKind::kEdit:
    case UiControlKind::kList:
    case UiControlKind::kDropList:
    case UiControlKind::kComboEdit:
        return true;
    default:
        return false;
    }
}

// Containers grow with what they hold: both edges follow the mapping.
bool IsContainer(const CUiControlTemplate& c) { return c.kind == UiControlKind::kGroup || c.kind == UiControlKind::kTab; }

bool Overlap(int32_t a, int32_t aLength, int32_t b, int32_t bLength) { return a < b + bLength && b < a + aLength; }

// A coordinate mapping that shares `extra` among the union of `spans` in
// proportion to their length; coordinates outside them move by what lies
// before them.
class CStretch {
public:
    CStretch(std::vector<CSpan> spans, int32_t extra) : m_nExtra(extra)
    {
        std::sort(spans.begin(), spans.end(), [](const CSpan& a, const CSpan& b) { return a.from < b.from; });
        for (const CSpan& s : spans) {
            if (s.to <= s.from)
                continue;
            if (!m_spans.empty() && s.from <= m_spans.back().to)
                m_spans.back().to = std::max(m_spans.back().to, s.to);
            else
                m_spans.push_back(s);
        }
        for (const CSpan& s : m_spans)
            m_nTotal += s.to - s.from;
    }

    int32_t Map(int32_t at) const
    {
        if (m_nTotal <= 0 || m_nExtra <= 0)
            return at;
        int64_t before = 0;
        for (const CSpan& s : m_spans)
            before += std::clamp(at, s.from, s.to) - s.from;
        return at + static_cast<int32_t>(before * m_nExtra / m_nTotal);
    }

private:
    std::vector<CSpan> m_spans;
    int32_t m_nExtra;
    int32_t m_nTotal = 0;
};

}  // namespace

std::vector<CUiRect> FollowClientSize(const CUiDialogTemplate& t, CUiSize client)
{
    const int32_t extraW = std::max(0, client.w - t.client.w);
    const int32_t extraH = std::max(0, client.h - t.client.h);
    std::vector<CSpan> sideways;
    for (const CUiControlTemplate& c : t.controls) {
        if (StretchesSideways(c))
            sideways.push_back({c.rect.x, c.rect.x + c.rect.w});
    }
    const CStretch across(std::move(sideways), extraW);

    std::vector<CUiRect> rects;
    rects.reserve(t.controls.size());
    for (const CUiControlTemplate& c : t.controls) {
        const CUiRect& r = c.rect;
        std::vector<CSpan> column;
        for (const CUiControlTemplate& s : t.controls) {
            if (StretchesDown(s) && Overlap(s.rect.x, s.rect.w, r.x, r.w))
                column.push_back({s.rect.y, s.rect.y + s.rect.h});
        }
        const CStretch down(std::move(column), extraH);
        const int32_t left = across.Map(r.x);
        const int32_t right = across.Map(r.x + r.w);
        const int32_t top = down.Map(r.y);
        const int32_t bottom = down.Map(r.y + r.h);
        CUiRect placed;
        if (IsContainer(c) || StretchesSideways(c)) {
            placed.x = left;
            placed.w = right - left;
        } else {
            // Nothing stretching to its right: it keeps to the right edge.
            placed.x = right - (r.x + r.w) == extraW ? right - r.w : left;
            placed.w = r.w;
        }
        if (IsContainer(c) || StretchesDown(c)) {
            placed.y = top;
            placed.h = bottom - top;
        } else {
            placed.y = top;
            placed.h = r.h;
        }
        rects.push_back(placed);
    }
    return rects;
}
