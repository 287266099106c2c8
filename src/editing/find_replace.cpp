#include "editing/find_replace.h"

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/data_writer.h"
#include "document/element_reader.h"
#include "document/kept_writer.h"
#include "document/other_text_place.h"
#include "document/reopen_check.h"
#include "editing/find_methods.h"
#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"

namespace {

// A field text of an item, a use entry of it or an event: the use entry's
// index (-1 for the element's own fields) and the key.
struct CFieldSlot {
    int32_t use = -1;
    const char* key = "";
};

// The element or use entry that holds the slot's field, for reading: an
// element of the document is only ever read through this (a lookup for
// writing would give the map's virtual values storage of their own, and so
// write into the document).
const CMerxFieldElement& SlotOwner(const CMERX_base& element, const CFieldSlot& slot)
{
    if (slot.use >= 0)
        return static_cast<const Citemstruct&>(element).uses[static_cast<uint32_t>(slot.use)];
    return static_cast<const CMerxFieldElement&>(element);
}

// The same in the run's own copy of an element, for writing.
CMerxFieldElement& CopySlotOwner(CMERX_base& copy, const CFieldSlot& slot)
{
    if (slot.use >= 0)
        return static_cast<Citemstruct&>(copy).uses[static_cast<uint32_t>(slot.use)];
    return static_cast<CMerxFieldElement&>(copy);
}

// The fields of `element` that `field` compares, in order; only keys the
// element has.
std::vector<CFieldSlot> FieldSlots(const CMERX_base& element, int32_t field, bool beta)
{
    std::vector<CFieldSlot> slots;
    const auto add = [&slots](const CMerxFieldElement& owner, int32_t use, const char* key) {
        if (owner.GetField(key))
            slots.push_back({use, key});
    };
    const uint8_t kind = element.GetKind();
    if (kind != CMERX_TYPE_ITEM && kind != CMERX_TYPE_EVENT)
        return slots;
    const auto& owner = static_cast<const CMerxFieldElement&>(element);
    switch (field) {
    case kFindScript:
        if (kind == CMERX_TYPE_EVENT) {
            for (const char* key : {"startfunc", "endfunc", "func"})
                add(owner, -1, key);
            break;
        }
        add(owner, -1, "funct");
        if (beta) {
            add(owner, -1, "funcs");
            add(owner, -1, "funcb");
        }
        {
            const auto& item = static_cast<const Citemstruct&>(element);
            for (uint32_t u = 0; u < item.uses.GetCount(); ++u) {
                add(item.uses[u], static_cast<int32_t>(u), "func");
                if (beta)
                    add(item.uses[u], static_cast<int32_t>(u), "funci");
                add(item.uses[u], static_cast<int32_t>(u), "funcb");
            }
        }
        break;
    case kFindCode: add(owner, -1, "code"); break;
    case kFindNo:
        if (kind == CMERX_TYPE_ITEM)
            add(owner, -1, "no");
        break;
    case kFindName:
        if (kind == CMERX_TYPE_ITEM)
            add(owner, -1, "name");
        break;
    default:
        break;
    }
    return slots;
}

std::unique_ptr<CMERX_base> CopyOf(const CMERX_base& element)
{
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM: return std::make_unique<Citemstruct>(static_cast<const Citemstruct&>(element));
    case CMERX_TYPE_EVENT: return std::make_unique<Ceventstruct>(static_cast<const Ceventstruct&>(element));
    default: return nullptr;
    }
}

const char* FieldText(const CMERX_base& element, const char* key)
{
    const CMerxString* value = static_cast<const CMerxFieldElement&>(element).GetField(key);
    return value ? value->GetBuffer() : "";
}

const char* KindWord(uint8_t kind)
{
    switch (kind) {
    case CMERX_TYPE_ITEM: return "ITEM";
    case CMERX_TYPE_EVENT: return "EVENT";
    case CMERX_TYPE_SINGLE: return "FUNC";
    case CMERX_TYPE_DEFINE: return "DEFINE";
    default: return "OTHER";
    }
}

// "ITEM[3]：剣\n" and the like, for the element as it is now.
void AppendResultLine(CStr_base<16384>& lines, const CMERX_base& element, uint32_t index)
{
    CStr_base<1024> line;
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM: line.Format(SJ("ITEM[%u]：%s\n"), index, FieldText(element, "name")); break;
    case CMERX_TYPE_EVENT: line.Format(SJ("EVENT[%u]：%s\n"), index, FieldText(element, "code")); break;
    case CMERX_TYPE_SINGLE:
        line.Format(SJ("FUNC[%u]：%s\n"), index, static_cast<const Csinglestruct&>(element).keyword.GetBuffer());
        break;
    case CMERX_TYPE_DEFINE: line.Assign(SJ("DEFINE[0]：プロジェクト定義\n")); break;
    default: {
        const std::string_view label = static_cast<const Cotherstruct&>(element).LabelLine();
        line.Format(SJ("OTHER[%u]："), index);
        line.Append(label.data(), static_cast<int32_t>(label.size()));
        line.Append("\n");
        break;
    }
    }
    lines += line.GetBuffer();
}

void AppendRefusedLine(CStr_base<16384>& lines, uint8_t kind, uint32_t index)
{
    CStr_base<1024> line;
    line.Format("%s[%u]", KindWord(kind), index);
    line.Append(SJ("：置換後のデータを解析できませんでした。直前の項目は置換されませんでした。\n"));
    lines += line.GetBuffer();
}

bool IsRequiredField(const char* key)
{
    return std::strcmp(key, "no") == 0 || std::strcmp(key, "code") == 0 || std::strcmp(key, "name") == 0;
}

class CFindRun {
public:
    CFindRun(const CMerxDocument& doc, const CFindRequest& request, const std::atomic<bool>* cancel, CFindOutcome& out)
        : m_doc(doc),
          m_request(request),
          m_query(CFindQuery::FromMode(request.mode, request.search.GetBuffer(), request.replacement.GetBuffer())),
          m_out(out),
          m_beta(doc.IsBeta())
    {
        m_budget.maxSteps = request.maxSteps;
        m_budget.maxBytes = request.maxBytes;
        m_budget.cancel = cancel;
        m_query.budget = &m_budget;
    }

    // False when the budget stopped the run.
    bool Element(const CFindElement& target)
    {
        const CMERX_base& element = *target.element;
        const bool wholeText = m_request.field == kFindFullText ||
                               (m_request.field == kFindScript && element.GetKind() == CMERX_TYPE_SINGLE);
        if (wholeText)
            return WholeText(target);
        const std::vector<CFieldSlot> slots = FieldSlots(element, m_request.field, m_beta);
        return m_request.replace ? ReplaceFields(target, slots) : FindFields(target, slots);
    }

private:
    // -1 stopped, 0 no match, 1 match.
    int32_t Compare(const char* text, uint32_t length)
    {
        const int32_t found = CompareFindText(m_query, text, length);
        return found == kStrRegexStopped ? Stopped() : found;
    }

    int32_t Stopped()
    {
        m_out.stop = m_budget.stop == StrRegexStop::kNone ? StrRegexStop::kSteps : m_budget.stop;
        return -1;
    }

    bool FindFields(const CFindElement& target, const std::vector<CFieldSlot>& slots)
    {
        for (const CFieldSlot& slot : slots) {
            const CMerxString& value = *SlotOwner(*target.element, slot).fields.Lookup(slot.key);
            const int32_t found = Compare(value.GetBuffer(), value.GetLength());
            if (found < 0)
                return false;
            if (found > 0) {
                Found(*target.element, target.index, 0);
                return true;
            }
        }
        return true;
    }

    bool ReplaceFields(const CFindElement& target, const std::vector<CFieldSlot>& slots)
    {
        std::unique_ptr<CMERX_base> copy;
        uint32_t count = 0;
        uint64_t kept = 0; // bytes of the changed texts the copy holds
        bool emptied = false;
        for (const CFieldSlot& slot : slots) {
            CStr_base<16384> text(SlotOwner(*target.element, slot).fields.Lookup(slot.key)->GetBuffer());
            const int32_t made = ReplaceFindText(m_query, text);
            if (made == kStrRegexStopped)
                return Stopped() >= 0;
            if (made == 0)
                continue;
            count += static_cast<uint32_t>(made);
            const CMerxString& stored = *SlotOwner(copy ? *copy : *target.element, slot).fields.Lookup(slot.key);
            if (stored == text.GetBuffer())
                continue;
            if (!copy)
                copy = CopyOf(*target.element);
            CopySlotOwner(*copy, slot).fields.Lookup(slot.key)->Assign(text);
            emptied = emptied || (text.IsEmpty() && IsRequiredField(slot.key));
            kept += text.GetLength();
        }
        if (count == 0)
            return true;
        if (copy && (emptied || !SurvivesReopen(m_doc, *copy))) {
            Refused(*target.element, target.index);
            return true;
        }
        Changed(target, std::move(copy), count);
        return Keep(kept);
    }

    bool WholeText(const CFindElement& target)
    {
        const CMERX_base& element = *target.element;
        CStr_base<16384> text;
        switch (element.GetKind()) {
        case CMERX_TYPE_SINGLE: text.Assign(static_cast<const Csinglestruct&>(element).text); break;
        case CMERX_TYPE_OTHER: text.Assign(static_cast<const Cotherstruct&>(element).text); break;
        // Items and events as the save writes them.
        default: text = m_keptWriter.WriteElement(element); break;
        }
        if (!m_request.replace) {
            const int32_t found = Compare(text.GetBuffer(), text.GetLength());
            if (found > 0)
                Found(element, target.index, 0);
            return found >= 0;
        }
        const CStr_base<16384> before(text);
        const int32_t made = ReplaceFindText(m_query, text);
        if (made == kStrRegexStopped)
            return Stopped() >= 0;
        if (made == 0)
            return true;
        if (text == before) {
            Changed(target, nullptr, static_cast<uint32_t>(made));
            return true;
        }
        std::unique_ptr<CMERX_base> changed = ReadBack(target, text);
        if (!changed) {
            Refused(element, target.index);
            return true;
        }
        Changed(target, std::move(changed), static_cast<uint32_t>(made));
        return Keep(text.GetLength());
    }

    // The replaced whole text in a fresh element, or null when it would not
    // be stored as it stands.
    std::unique_ptr<CMERX_base> ReadBack(const CFindElement& target, CStr_base<16384>& text)
    {
        const CMERX_base& element = *target.element;
        CStr_base<1024> messages;
        CElementReader reader(m_doc, messages);
        uint32_t line = 0;
        std::unique_ptr<CMERX_base> fresh;
        switch (element.GetKind()) {
        case CMERX_TYPE_ITEM: {
            CrLfToLf(text);
            auto item = std::make_unique<Citemstruct>();
            if (reader.ParseItem(*item, text.GetBuffer(), line))
                fresh = std::move(item);
            break;
        }
        case CMERX_TYPE_EVENT: {
            CrLfToLf(text);
            auto event = std::make_unique<Ceventstruct>();
            if (reader.ParseEvent(*event, text.GetBuffer(), line))
                fresh = std::move(event);
            break;
        }
        case CMERX_TYPE_DEFINE: {
            CrLfToLf(text);
            auto define = std::make_unique<Cdefinestruct>();
            if (reader.ParseDefine(*define, text.GetBuffer(), line))
                fresh = std::move(define);
            break;
        }
        case CMERX_TYPE_SINGLE: {
            auto block = std::make_unique<Csinglestruct>();
            block->keyword.Assign(static_cast<const Csinglestruct&>(element).keyword);
            block->text.Assign(text);
            fresh = std::move(block);
            break;
        }
        default:
            return OtherReadBack(target, text);
        }
        if (!fresh || !messages.IsEmpty() || !SurvivesReopen(m_doc, *fresh))
            return nullptr;
        return fresh;
    }

    // An other text is checked in its place with its neighbours in the
    // file, as the changes of the run so far leave them.
    std::unique_ptr<CMERX_base> OtherReadBack(const CFindElement& target, const CStr_base<16384>& text)
    {
        auto fresh = std::make_unique<Cotherstruct>();
        fresh->text.Assign(text);
        const auto standIn = [&](const CMERX_base& element) -> const CMERX_base* {
            if (&element == target.element)
                return fresh.get();
            const auto pending = m_changedOf.find(&element);
            return pending == m_changedOf.end() ? nullptr : pending->second;
        };
        if (!SurvivesReopenAt(m_doc, target.index, *fresh) || !StandsApart(m_doc, target.index, standIn))
            return nullptr;
        return fresh;
    }

    void Found(const CMERX_base& element, uint32_t index, uint32_t replacements)
    {
        AppendResultLine(m_out.lines, element, index);
        ++m_out.elements;
        m_out.replacements += replacements;
    }

    void Changed(const CFindElement& target, std::unique_ptr<CMERX_base> changed, uint32_t replacements)
    {
        Found(changed ? *changed : *target.element, target.index, replacements);
        if (!changed)
            return;
        m_changedOf[target.element] = changed.get();
        m_out.pending.push_back({target.element, std::move(changed)});
    }

    // The changed texts a run keeps until the commit draw on the budget of
    // the pattern engine's calls as their own memory does: false when they
    // pass it.
    bool Keep(uint64_t bytes)
    {
        if (m_query.method != kFindPattern)
            return true;
        m_budget.kept += bytes;
        if (m_budget.kept <= m_budget.maxBytes)
            return true;
        m_budget.stop = StrRegexStop::kMemory;
        return Stopped() >= 0;
    }

    void Refused(const CMERX_base& element, uint32_t index)
    {
        AppendResultLine(m_out.lines, element, index);
        AppendRefusedLine(m_out.lines, element.GetKind(), index);
        ++m_out.refused;
    }

    const CMerxDocument& m_doc;
    const CFindRequest& m_request;
    CFindQuery m_query;
    // One budget for every engine call of the run.
    CStrRegexBudget m_budget;
    CFindOutcome& m_out;
    const bool m_beta;
    const CKeptWriter m_keptWriter{m_doc};
    // The changed copy of each element changed so far.
    std::unordered_map<const CMERX_base*, const CMERX_base*> m_changedOf;
};

} // namespace

CFindOutcome RunFindReplace(const CMerxDocument& doc, const std::vector<CFindElement>& targets,
                            const CFindRequest& request, const std::atomic<bool>* cancel,
                            const std::function<void(uint32_t done, uint32_t total)>& progress)
{
    CFindOutcome out;
    CFindRun run(doc, request, cancel, out);
    const uint32_t total = static_cast<uint32_t>(targets.size());
    for (uint32_t done = 0; done < total; ++done) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            out.stop = StrRegexStop::kCancelled;
            break;
        }
        if (!run.Element(targets[done]))
            break;
        if (progress)
            progress(done + 1, total);
    }
    if (out.stop != StrRegexStop::kNone) {
        out.lines.Truncate(0);
        out.pending.clear();
    }
    return out;
}

CEditCommandPtr CommitFindReplace(CMerxDocument& doc, CFindOutcome& outcome)
{
    if (outcome.stop != StrRegexStop::kNone || outcome.pending.empty())
        return nullptr;
    auto batch = std::make_unique<CEditBatch>();
    for (CFindPending& change : outcome.pending)
        batch->Add(ReplaceContent(doc, *change.element, *change.changed));
    return batch;
}

CStr_base<64> FindResultTitle(bool replace, uint32_t elements)
{
    CStr_base<64> title;
    if (elements == 0)
        title.Assign(replace ? SJ("置換結果 (該当なし)") : SJ("検索結果 (該当なし)"));
    else
        title.Format(replace ? SJ("置換結果 (%d要素が該当)") : SJ("検索結果 (%d要素が該当)"), static_cast<int>(elements));
    return title;
}

CStr_base<64> FindResultMessage(bool replace, const CFindOutcome& outcome)
{
    CStr_base<64> message;
    if (!replace) {
        if (outcome.elements == 0)
            message.Assign(SJ("該当する要素は見つかりませんでした"));
    } else if (outcome.replacements == 0) {
        message.Assign(SJ("置換は行われませんでした"));
    } else {
        message.Format(SJ("%d 箇所を置換えました"), static_cast<int>(outcome.replacements));
    }
    if (replace && outcome.refused > 0) {
        CStr_base<64> refused;
        refused.Format(SJ("%d 要素は置換後のデータを解析できないため置換されませんでした。"),
                       static_cast<int>(outcome.refused));
        message.Append("\n");
        message.Append(refused);
    }
    return message;
}

CStr_base<64> FindStoppedMessage(bool replace, StrRegexStop stop)
{
    CStr_base<64> message;
    if (stop == StrRegexStop::kCancelled)
        message.Assign(replace ? SJ("置換を中止しました。データは変更されていません。") : SJ("検索を中止しました。"));
    else
        message.Assign(replace ? SJ("正規表現の処理が上限を超えたため、置換を中止しました。データは変更されていません。")
                               : SJ("正規表現の処理が上限を超えたため、検索を中止しました。"));
    return message;
}
