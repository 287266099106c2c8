#include "editing/arrangement_rules.h"

#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/function_keywords.h"
#include "document/kept_writer.h"
#include "document/merx_reader.h"
#include "document/other_text_place.h"
#include "document/reopen_check.h"
#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"

namespace {

CStr_base<16384> WithCrLf(const char* text)
{
    CStr_base<16384> shown(text);
    LfToCrLf(shown);
    return shown;
}

// An element that the reader would swallow into an other text before it
// that ends the data.
bool LostBehind(const CMERX_base& before, const CMERX_base& after)
{
    return before.GetKind() == CMERX_TYPE_OTHER && after.GetKind() != CMERX_TYPE_OTHER &&
           CMerxDocument::IsEndText(static_cast<const Cotherstruct&>(before).text.GetBuffer());
}

} // namespace

CStr_base<64> ArrangementLabel(const CMERX_base& element)
{
    CStr_base<64> label;
    ArrangementLabel(element, label);
    return label;
}

void ArrangementLabel(const CMERX_base& element, CStr_base<64>& label)
{
    label.Truncate(0);
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM:
        label.Assign(SJ("@@ITEM："));
        label.Append(static_cast<const Citemstruct&>(element).FieldText("name"));
        break;
    case CMERX_TYPE_EVENT: {
        const auto& event = static_cast<const Ceventstruct&>(element);
        const char* message = event.FieldText("startmsg");
        label.Assign(SJ("@@EVENT："));
        label.Append(*message ? message : event.FieldText("code"));
        break;
    }
    case CMERX_TYPE_SINGLE:
        label.Assign(static_cast<const Csinglestruct&>(element).keyword);
        break;
    case CMERX_TYPE_OTHER: {
        const std::string_view line = static_cast<const Cotherstruct&>(element).LabelLine();
        label.Assign(line.data(), static_cast<int32_t>(line.size()));
        break;
    }
    case CMERX_TYPE_DEFINE:
        label.Assign(SJ("プロジェクト定義：@@DEFINE"));
        break;
    default:
        break;
    }
}

CStr_base<16384> ArrangementDetail(const CMerxDocument& doc, const CMERX_base& element)
{
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM:
    case CMERX_TYPE_EVENT:
        // As the save writes it: the lines that did not change as they were read.
        return WithCrLf(CKeptWriter(doc).WriteElement(element).GetBuffer());
    case CMERX_TYPE_SINGLE:
        return WithCrLf(static_cast<const Csinglestruct&>(element).text.GetBuffer());
    case CMERX_TYPE_OTHER:
        return WithCrLf(static_cast<const Cotherstruct&>(element).text.GetBuffer());
    case CMERX_TYPE_DEFINE:
        return WithCrLf(static_cast<const Cdefinestruct&>(element).text.GetBuffer());
    default:
        return {};
    }
}

int32_t FunctionKeywordIndex(const Csinglestruct& block)
{
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        if (block.keyword == g_aszMerxFunctionKeywords[i])
            return static_cast<int32_t>(i);
    return -1;
}

bool StoreOtherText(const CMerxDocument& doc, Cotherstruct& other, const CStr_base<16384>& text,
                    CStr_base<1024>& reason)
{
    CStr_base<16384> stored(text);
    CrLfToLf(stored);
    if (stored == other.text.GetBuffer())
        return true;
    const CMerxBlockText before = other.text;
    other.text.Assign(stored);
    const int32_t position = doc.FindInArrangement(&other);
    if (SurvivesReopen(doc, other, &reason)) {
        // The text must stay apart from what stands before it.
        if (position < 0 || StandsApart(doc, static_cast<uint32_t>(position)))
            return true;
        reason.Assign(AbsorbedTextMessage());
    }
    other.text = before;
    return false;
}

CArrangementMove MoveInArrangement(CMerxDocument& doc, uint32_t upper, CStr_base<1024>& reason, CEditCommandPtr* step)
{
    const CMERX_base& first = *doc.setdata[upper];
    const CMERX_base& second = *doc.setdata[upper + 1];
    if (LostBehind(second, first)) {
        reason.Assign(SJ("\"@@END\"で始まるテキストの後ろに置いた要素は、読み込み直すとそのテキストの一部になってしまうため移動できません。\n"));
        return CArrangementMove::kWouldBeLost;
    }
    CEditCommandPtr exchange = ExchangeNeighbours(doc, upper);
    if (!exchange)
        return CArrangementMove::kNotNeighbours;
    // Other texts are read again in their new places, and so is the first
    // text behind the pair (past elements that write nothing), which may
    // have a new element written before it.
    std::vector<uint32_t> texts = {upper, upper + 1};
    const CMerxWriter writer(doc);
    for (uint32_t at = upper + 2; at < doc.setdata.GetCount(); ++at) {
        if (doc.setdata[at]->GetKind() == CMERX_TYPE_OTHER) {
            texts.push_back(at);
            break;
        }
        if (!writer.WriteElement(*doc.setdata[at]).IsEmpty())
            break;
    }
    for (uint32_t at : texts) {
        if (doc.setdata[at]->GetKind() != CMERX_TYPE_OTHER)
            continue;
        CStr_base<1024> why;
        const bool survives = at > upper + 1 || SurvivesReopen(doc, *doc.setdata[at], &why);
        if (!survives || !StandsApart(doc, at)) {
            exchange->Undo(doc);
            reason.Assign(SJ("移動すると、読み込み直したときに要素が変わってしまうため移動できません。\n"));
            reason.Append(survives ? AbsorbedTextMessage() : why.GetBuffer());
            return CArrangementMove::kWouldBeLost;
        }
    }
    if (step)
        *step = std::move(exchange);
    return CArrangementMove::kMoved;
}
