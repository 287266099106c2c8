#include "pages/page_set.h"

#include "editing/arrangement_rules.h"
#include "editing/internal_error.h"
#include "editing/step_names.h"
#include "foundation/sjis_literal.h"
#include "pages/page_set_template.h"
#include "ui/edit_tab_key.h"

using namespace set_page;

namespace {

const char* KindName(uint8_t kind)
{
    switch (kind) {
    case CMERX_TYPE_ITEM:
        return "CMERX_TYPE_ITEM";
    case CMERX_TYPE_EVENT:
        return "CMERX_TYPE_EVENT";
    case CMERX_TYPE_SINGLE:
        return "CMERX_TYPE_SINGLE";
    case CMERX_TYPE_DEFINE:
        return "CMERX_TYPE_DEFINE";
    default:
        return "undefined";
    }
}

} // namespace

Cpage_set::Cpage_set(CPageContext& context) : CFilteredListPage(SetPageTemplate(), context, IDC_FILTER)
{
    Bind(IDC_ELEMENT_LIST, UiEvent::kSelChanged, &Cpage_set::OnSelChangeList);
    Bind(IDC_FILTER, UiEvent::kChanged, &Cpage_set::OnFilterChanged);
    Bind(IDC_INSERT, UiEvent::kClicked, &Cpage_set::OnInsert);
    Bind(IDC_COPY, UiEvent::kClicked, &Cpage_set::OnCopy);
    Bind(IDC_DELETE, UiEvent::kClicked, &Cpage_set::OnDelete);
    Bind(IDC_UP, UiEvent::kClicked, &Cpage_set::OnUp);
    Bind(IDC_DOWN, UiEvent::kClicked, &Cpage_set::OnDown);
    Bind(IDC_EDIT_PAGE, UiEvent::kClicked, &Cpage_set::OnEditPage);
    Bind(IDC_REVERT, UiEvent::kClicked, &Cpage_set::OnRevert);
}

void Cpage_set::LoadSelection(const CProjectInfo& info) { m_nSelection = info.setId; }

void Cpage_set::StoreSelection(CProjectInfo& info) const { info.setId = m_nSelection; }

int32_t Cpage_set::CurrentElement() const { return HasWindow() ? m_nShown : -1; }

void Cpage_set::SelectElement(int32_t index)
{
    if (!HasWindow()) {
        m_nSelection = index;
        return;
    }
    // An element the filter hides is shown with every element listed.
    if (index >= 0 && m_filter.LineOf(index) < 0)
        ClearFilter();
    Control(IDC_ELEMENT_LIST).SetCurSel(m_filter.LineOf(index));
    OnSelChangeList();
}

void Cpage_set::Reload()
{
    if (!HasWindow())
        return;
    const int32_t shown = m_nShown;
    m_nShown = -1;
    RefillList();
    if (shown >= 0 && m_filter.LineOf(shown) < 0)
        ClearFilter();
    ShowSelected(shown >= 0 && static_cast<uint32_t>(shown) < m_context.Document().setdata.GetCount() ? shown : -1);
}

void Cpage_set::FillList()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const uint32_t lines = m_filter.IsActive() ? m_filter.FilteredCount() : doc.setdata.GetCount();
    CStr_base<64> label;
    list.SetStrings(lines, [&](uint32_t line) {
        ArrangementLabel(*doc.setdata[static_cast<uint32_t>(m_filter.IndexOf(static_cast<int32_t>(line)))], label);
        return label.GetBuffer();
    });
    list.SetCurSel(m_filter.LineOf(m_nShown));
}

uint32_t Cpage_set::FilterCount() const { return m_context.Document().setdata.GetCount(); }

void Cpage_set::AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const
{
    ArrangementLabel(*m_context.Document().setdata[index], m_label);
    texts.Add({m_label.GetBuffer(), m_label.GetLength()});
}

void Cpage_set::EnableMoveButtons()
{
    const bool valid = m_nShown >= 0 && static_cast<uint32_t>(m_nShown) < m_context.Document().setdata.GetCount();
    for (int32_t id : {IDC_UP, IDC_DOWN})
        Control(id).Enable(valid && !m_filter.IsActive());
}

int32_t Cpage_set::SelectedIndex() const { return m_filter.IndexOf(Control(IDC_ELEMENT_LIST).GetCurSel()); }

bool Cpage_set::OnInitDialog()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    // The filter box starts empty on each visit of the page.
    m_nShown = -1;
    m_filter.Clear();
    FillList();
    Control(IDC_DETAIL).SetFont(m_context.FunctionFont());
    Control(IDC_DETAIL).SetTabStops(12);
    const bool valid = m_nSelection >= 0 && static_cast<uint32_t>(m_nSelection) < m_context.Document().setdata.GetCount();
    ShowSelected(valid ? m_nSelection : -1);
    return true;
}

bool Cpage_set::ShowsOtherText() const
{
    const CMerxDocument& doc = m_context.Document();
    return m_nShown >= 0 && static_cast<uint32_t>(m_nShown) < doc.setdata.GetCount() &&
           doc.setdata[static_cast<uint32_t>(m_nShown)]->GetKind() == CMERX_TYPE_OTHER;
}

void Cpage_set::ShowSelected(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const bool valid = index >= 0 && static_cast<uint32_t>(index) < doc.setdata.GetCount();
    list.SetCurSel(valid ? m_filter.LineOf(index) : -1);
    m_nShown = m_nSelection = valid ? index : -1;
    const CMERX_base* element = valid ? doc.setdata[static_cast<uint32_t>(index)] : nullptr;
    const bool other = element && element->GetKind() == CMERX_TYPE_OTHER;
    CUiControl detail = Control(IDC_DETAIL);
    detail.SetText(element ? ArrangementDetail(doc, *element).GetBuffer() : "");
    detail.SetReadOnly(!other);
    detail.GetText(m_strShown);
    // ↑ and ↓ move an element among its neighbours in the file: not while
    // the list hides some.
    Control(IDC_INSERT).Enable(valid || doc.setdata.GetCount() == 0);
    for (int32_t id : {IDC_UP, IDC_DOWN})
        Control(id).Enable(valid && !m_filter.IsActive());
    Control(IDC_EDIT_PAGE).Enable(element && !other);
    const int32_t otherTextOnly[] = {IDC_COPY, IDC_DELETE, IDC_REVERT, kIdOk};
    for (int32_t id : otherTextOnly)
        Control(id).Enable(other);
}

void Cpage_set::SetLine(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const int32_t line = m_filter.LineOf(index);
    if (line < 0)
        return;
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const int32_t selected = list.GetCurSel();
    list.DeleteString(line);
    list.InsertString(line, ArrangementLabel(*m_context.Document().setdata[static_cast<uint32_t>(index)]).GetBuffer());
    list.SetCurSel(selected);
}

CApplyResult Cpage_set::ApplyShown()
{
    if (!ShowsOtherText())
        return {};
    CStr_base<16384> now;
    Control(IDC_DETAIL).GetText(now);
    if (now == m_strShown)
        return {};
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    CMerxDocument& doc = m_context.Document();
    auto& other = static_cast<Cotherstruct&>(*doc.setdata[static_cast<uint32_t>(m_nShown)]);
    CStr_base<1024> reason;
    auto before = std::make_unique<CElementSnapshot>(other);
    if (!StoreOtherText(doc, other, now, reason)) {
        CStr_base<1024> message(SJ("このテキストは読み込み直すと別の要素として読まれてしまうため、適用できません。\n"));
        message.Append(reason);
        return Refuse(message);
    }
    m_context.Record(ContentChanged(doc, other, std::move(before)), ElementStepName(other, SJ("適用")).GetBuffer());
    m_strShown = now;
    SetLine(m_nShown);
    return {};
}

void Cpage_set::OnSelChangeList()
{
    const int32_t selected = SelectedIndex();
    if (selected < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (ApplyShown().IsRefused()) {
        Control(IDC_ELEMENT_LIST).SetCurSel(m_filter.LineOf(m_nShown));
        return;
    }
    ShowSelected(selected);
}

CApplyResult Cpage_set::Apply()
{
    const CModalWaitScope wait(m_context.ModalWait());
    return ApplyShown();
}

void Cpage_set::OnRevert()
{
    const int32_t shown = m_nShown;
    m_nShown = -1;
    ShowSelected(shown);
}

void Cpage_set::OnDestroy() { m_nShown = -1; }

void Cpage_set::WrongKind(const CMERX_base& element, const char* handler)
{
    CStr_base<64> message, position;
    message.Format(SJ("無効な型<%s>"), KindName(element.GetKind()));
    position.Format("Cpage_set::%s()", handler);
    m_context.ShowMessage(InternalErrorReport(message.GetBuffer(), position.GetBuffer()).GetBuffer());
}

void Cpage_set::OnInsert()
{
    // The new text is listed where it goes among all elements.
    ClearFilter();
    CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const int32_t selected = SelectedIndex();
    if (selected < 0 && doc.setdata.GetCount() > 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (ApplyShown().IsRefused())
        return;
    const uint32_t position = selected < 0 ? 0 : static_cast<uint32_t>(selected);
    CEditCommandPtr step = InsertOther(doc, position, nullptr);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        list.InsertString(static_cast<int32_t>(position), "");
    }
    m_nShown = -1;
    ShowSelected(static_cast<int32_t>(position));
    m_context.Record(std::move(step), ElementStepName(*doc.setdata[position], SJ("追加")).GetBuffer());
}

void Cpage_set::OnCopy()
{
    if (SelectedIndex() < 0)
        return;
    ClearFilter();
    CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const int32_t selected = SelectedIndex();
    if (selected < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    OnSelChangeList();
    if (m_nShown != selected)
        return;
    const CMERX_base& element = *doc.setdata[static_cast<uint32_t>(selected)];
    if (element.GetKind() != CMERX_TYPE_OTHER) {
        WrongKind(element, "OnButton14");
        return;
    }
    // The copy is made before it is inserted: when memory runs out, the
    // document stays as it was.
    CMerxBlockText text = static_cast<const Cotherstruct&>(element).text;
    Cotherstruct* copy = doc.InsertOther(static_cast<uint32_t>(selected));
    copy->text.Swap(text);
    CEditCommandPtr step = Inserted(doc, *copy);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        list.InsertString(selected, ArrangementLabel(*copy).GetBuffer());
    }
    m_nShown = -1;
    ShowSelected(selected);
    m_context.Record(std::move(step), ElementStepName(*copy, SJ("コピー")).GetBuffer());
}

void Cpage_set::OnDelete()
{
    CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ELEMENT_LIST);
    const int32_t selected = SelectedIndex();
    if (selected < 0)
        return;
    CMERX_base* element = doc.setdata[static_cast<uint32_t>(selected)];
    if (element->GetKind() != CMERX_TYPE_OTHER) {
        WrongKind(*element, "OnButton15");
        return;
    }
    if (m_context.Ask(SJ("この項目を削除しますか？"), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    // What the detail box holds goes with the element.
    m_nShown = -1;
    const CStr_base<256> name = ElementStepName(*element, SJ("削除"));
    CEditCommandPtr step = RemoveElement(doc, *element);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        const int32_t line = m_filter.Remove(static_cast<uint32_t>(selected));
        if (line >= 0)
            list.DeleteString(line);
    }
    ShowSelected(m_filter.IndexOf(m_filter.LineAfterRemoved(static_cast<uint32_t>(selected), list.GetCount())));
    m_context.Record(std::move(step), name.GetBuffer());
}

void Cpage_set::Move(int32_t upper, bool up)
{
    CMerxDocument& doc = m_context.Document();
    if (SelectedIndex() < 0 || m_filter.IsActive() || upper < 0 ||
        static_cast<uint32_t>(upper) + 1 >= doc.setdata.GetCount())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (ApplyShown().IsRefused())
        return;
    const CMERX_base* first = doc.setdata[static_cast<uint32_t>(upper)];
    const CMERX_base* second = doc.setdata[static_cast<uint32_t>(upper) + 1];
    CStr_base<1024> reason;
    CEditCommandPtr step;
    switch (MoveInArrangement(doc, static_cast<uint32_t>(upper), reason, &step)) {
    case CArrangementMove::kWouldBeLost:
        m_context.ShowMessage(reason.GetBuffer());
        return;
    case CArrangementMove::kNotNeighbours: {
        const bool item = first->GetKind() == CMERX_TYPE_ITEM;
        const CMERX_base* moved = up ? second : first;
        const CMERX_base* other = up ? first : second;
        const int32_t tar = item ? doc.itemdata.IndexOf(moved) : doc.eventdata.IndexOf(moved);
        const int32_t dst = item ? doc.itemdata.IndexOf(other) : doc.eventdata.IndexOf(other);
        CStr_base<64> message, position, info;
        message.Format(SJ("整合性エラー<%s>"), item ? "ITEM" : "EVENT");
        position.Format("Cpage_set::%s()", up ? "OnButton17" : "OnButton16");
        info.Format("tarID=%d\n\tdstID=%d", tar, dst);
        m_context.ShowMessage(
            InternalErrorReport(message.GetBuffer(), position.GetBuffer(), info.GetBuffer()).GetBuffer());
        return;
    }
    case CArrangementMove::kMoved:
        break;
    }
    SetLine(upper);
    SetLine(upper + 1);
    const int32_t now = up ? upper : upper + 1;
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        Control(IDC_ELEMENT_LIST).SetCurSel(m_filter.LineOf(now));
    }
    m_nShown = m_nSelection = now;
    m_context.Record(std::move(step), SJ("配置の移動"));
}

void Cpage_set::OnUp() { Move(SelectedIndex() - 1, true); }

void Cpage_set::OnDown()
{
    const int32_t selected = SelectedIndex();
    if (selected >= 0)
        Move(selected, false);
}

void Cpage_set::OnEditPage()
{
    const CMerxDocument& doc = m_context.Document();
    const int32_t selected = SelectedIndex();
    if (selected < 0 || static_cast<uint32_t>(selected) >= doc.setdata.GetCount())
        return;
    const CMERX_base* element = doc.setdata[static_cast<uint32_t>(selected)];
    switch (element->GetKind()) {
    case CMERX_TYPE_ITEM:
        m_context.ShowElement(kTabItem, doc.itemdata.IndexOf(element));
        return;
    case CMERX_TYPE_EVENT:
        m_context.ShowElement(kTabEvent, doc.eventdata.IndexOf(element));
        return;
    case CMERX_TYPE_SINGLE: {
        const auto& block = static_cast<const Csinglestruct&>(*element);
        const int32_t index = FunctionKeywordIndex(block);
        if (index < 0) {
            CStr_base<64> info;
            info.Format(SJ("name：%s\n"), block.keyword.GetBuffer());
            m_context.ShowMessage(
                InternalErrorReport("functype_undefined", "Cpage_set::OnButton1()", info.GetBuffer()).GetBuffer());
            return;
        }
        m_context.ShowElement(kTabFunction, index);
        return;
    }
    case CMERX_TYPE_DEFINE:
        m_context.ShowElement(kTabDefinition, 0);
        return;
    default: {
        m_context.ShowMessage(
            InternalErrorReport(SJ("無効な型<CMERX_TYPE_OTHER>"), "Cpage_set::OnButton1()").GetBuffer());
        return;
    }
    }
}

bool Cpage_set::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && id == IDC_DETAIL && event == UiEvent::kChanged && ShowsOtherText())
        m_context.MarkModified();
    return CMainPage::OnCommand(id, event);
}

bool Cpage_set::PreTranslateMessage(const CUiMessage& message)
{
    const bool tab = message.kind == UiMessageKind::kKey && message.key == UiKey::kTab && !message.ctrl &&
                     message.dialog == this && message.control == IDC_DETAIL;
    if (tab && !ShowsOtherText())
        return true; // a read-only detail takes the key without text
    if (InsertTabForKey(*this, message, IDC_DETAIL)) {
        m_context.MarkModified();
        return true;
    }
    return CMainPage::PreTranslateMessage(message);
}
