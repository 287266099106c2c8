#include "pages/item_ex_dlg.h"

#include <algorithm>

#include "document/field_element.h"
#include "document/map_copy.h"
#include "document/use_struct.h"
#include "editing/internal_error.h"
#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg_template.h"

namespace {

// How a line of an "Array" field stands in the list of lines.
const char* LineCaption(const CMerxString& line) { return line.IsEmpty() ? SJ("(空データ)") : line.GetBuffer(); }

bool InRange(int32_t index, uint32_t count) { return index >= 0 && static_cast<uint32_t>(index) < count; }

}  // namespace

CItemExDlg::CItemExDlg(CMERX_base& element, CPageContext& context, int32_t firstIndex)
    : CDialogBase(ItemExDlgTemplate()), m_element(element), m_context(context), m_nFirstIndex(firstIndex)
{
    Bind(IDC_FIELDS, UiEvent::kSelChanged, &CItemExDlg::OnSelchangeList1);
    Bind(IDC_LINES, UiEvent::kSelChanged, &CItemExDlg::OnSelchangeLines);
    Bind(IDC_LINE_ADD, UiEvent::kClicked, &CItemExDlg::OnLineAdd);
    Bind(IDC_LINE_COPY, UiEvent::kClicked, &CItemExDlg::OnLineCopy);
    Bind(IDC_LINE_DELETE, UiEvent::kClicked, &CItemExDlg::OnLineDelete);
    for (int32_t id : kFlagIds)
        Bind(id, UiEvent::kClicked, &CItemExDlg::OnUserChange);
    for (const SlotIds& slot : kSlotIds) {
        Bind(slot.combo, UiEvent::kSelChanged, &CItemExDlg::OnUserChange);
        Bind(slot.edit, UiEvent::kChanged, &CItemExDlg::OnUserChange);
    }
}

bool CItemExDlg::OnInitDialog()
{
    m_nShownField = -1;
    m_nShownLine = -1;
    m_bUserChanged = false;
    HideFieldControls();
    CUiControl list = Control(IDC_FIELDS);
    list.ResetContent();

    const CAppliedRule& rule = m_context.AppliedRule();
    const uint8_t kind = m_element.GetKind();
    m_pRules = kind == CMERX_TYPE_ITEM ? &rule.itemRules : kind == CMERX_TYPE_USE ? &rule.useRules : nullptr;
    m_nLastIndex = -1;
    if (!m_pRules) {
        m_context.ShowMessage(InternalErrorReport(SJ("無効な拡張項目データ"), "CItemExDlg::OnInitDialog()").GetBuffer());
        return true;
    }

    // The copies of the fields; storage of an earlier run is reused.
    const auto& element = static_cast<const CMerxFieldElement&>(m_element);
    m_fields.RemoveAll();
    m_fields.SetCount(m_pRules->GetCount());
    for (uint32_t i = 0; i < m_pRules->GetCount(); ++i) {
        const ItemExParams& params = (*m_pRules)[i];
        Field& field = m_fields[i];
        const CMerxString* text = element.GetField(params.name);
        field.text.Assign(text ? text->GetBuffer() : "");
        field.lines.RemoveAll();
        field.comments.RemoveAll();
        field.changed = false;
        if (kind == CMERX_TYPE_USE && params.array) {
            const auto& use = static_cast<const Cusestruct&>(m_element);
            if (const CStrArray_base<64>* lines = use.GetList(params.name))
                CopyStringList(field.lines, *lines);
            if (const CStrArray_base<64>* comments = use.GetListComments(params.name))
                CopyStringList(field.comments, *comments);
        }
        list.AddString(params.name);
    }
    if (InRange(m_nFirstIndex, m_pRules->GetCount())) {
        list.SetCurSel(m_nFirstIndex);
        ShowField(m_nFirstIndex);
    }
    return true;
}

void CItemExDlg::OnOK()
{
    if (!StoreShown())
        return;
    if (m_pRules) {
        auto& element = static_cast<CMerxFieldElement&>(m_element);
        for (uint32_t i = 0; i < m_pRules->GetCount(); ++i) {
            const ItemExParams& params = (*m_pRules)[i];
            const Field& field = m_fields[i];
            if (!field.changed)
                continue;
            if (m_element.GetKind() == CMERX_TYPE_USE && params.array) {
                auto& use = static_cast<Cusestruct&>(m_element);
                CopyStringList(*use.lists.GetOrInsert(params.name), field.lines);
                CopyStringList(*use.listcomments.GetOrInsert(params.name), field.comments);
            } else {
                element.fields.GetOrInsert(params.name)->Assign(field.text);
            }
        }
    }
    EndDialog(kIdOk);
}

void CItemExDlg::OnSelchangeList1() { ShowField(Control(IDC_FIELDS).GetCurSel()); }

void CItemExDlg::OnSelchangeLines()
{
    const int32_t chosen = Control(IDC_LINES).GetCurSel();
    if (!StoreShown()) {
        Control(IDC_LINES).SetCurSel(m_nShownLine);
        return;
    }
    const Field* field = ShownField();
    if (field)
        ShowLine(m_nShownField, InRange(chosen, field->lines.GetCount()) ? chosen : -1);
}

void CItemExDlg::OnLineAdd()
{
    if (!ShownField() || !ShownParams().array || !StoreShown())
        return;
    AppendLine("", "");
}

void CItemExDlg::OnLineCopy()
{
    if (m_nShownLine < 0 || !StoreShown())
        return;
    const Field& field = *ShownField();
    const auto line = static_cast<uint32_t>(m_nShownLine);
    const CMerxString text(field.lines[line]);
    const CMerxString comment(line < field.comments.GetCount() ? field.comments[line].GetBuffer() : "");
    AppendLine(text, comment);
}

void CItemExDlg::OnLineDelete()
{
    if (m_nShownLine < 0)
        return;
    // The deleted line is forgotten first: its controls are stored nowhere.
    const auto line = static_cast<uint32_t>(m_nShownLine);
    m_nShownLine = -1;
    m_bUserChanged = false;
    Field& field = *ShownField();
    field.lines.RemoveAt(line);
    if (line < field.comments.GetCount())
        field.comments.RemoveAt(line);
    field.changed = true;
    Control(IDC_LINES).DeleteString(static_cast<int32_t>(line));
    const uint32_t count = field.lines.GetCount();
    ShowLine(m_nShownField, count == 0 ? -1 : static_cast<int32_t>(std::min(line, count - 1)));
}

void CItemExDlg::OnUserChange()
{
    // While no field is shown, the dialog itself is setting the controls.
    if (m_nShownField >= 0)
        m_bUserChanged = true;
}

void CItemExDlg::ShowField(int32_t index)
{
    if (!StoreShown()) {
        Control(IDC_FIELDS).SetCurSel(m_nShownField);
        return;
    }
    // No field is shown while the controls are set for the new one: what
    // they report meanwhile is no change of the user's, to be stored nowhere.
    m_nShownField = -1;
    m_nShownLine = -1;
    m_bUserChanged = false;
    HideFieldControls();
    m_nLastIndex = index;
    if (!m_pRules || !InRange(index, m_pRules->GetCount()))
        return;
    const ItemExParams& params = (*m_pRules)[static_cast<uint32_t>(index)];
    if (params.array && m_element.GetKind() != CMERX_TYPE_USE) {
        m_context.ShowMessage(InternalErrorReport(SJ("無効な配列フラグ"), "CItemExDlg::OnSelchangeList1()").GetBuffer());
        return;
    }
    SetUpControls(params);
    const Field& field = m_fields[static_cast<uint32_t>(index)];
    if (!params.array) {
        FillControls(params, field.text);
        m_nShownField = index;
        return;
    }
    CUiControl lines = Control(IDC_LINES);
    lines.ResetContent();
    for (const CMerxString& line : field.lines)
        lines.AddString(LineCaption(line));
    for (int32_t id : {IDC_LINES, IDC_LINE_ADD, IDC_LINE_COPY, IDC_LINE_DELETE})
        Control(id).Show(true);
    ShowLine(index, field.lines.GetCount() ? 0 : -1);
}

void CItemExDlg::SetUpControls(const ItemExParams& params)
{
    if (params.IsCheck()) {
        for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
            if (!params.IsFlagUsed(i))
                continue;
            CUiControl check = Control(kFlagIds[i]);
            check.SetText(params.checkInfo[i]);
            check.Enable(true);
            check.Show(true);
        }
        return;
    }
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        const uint32_t type = params.type[slot];
        m_choices[slot].RemoveAll();
        if (type == ITEMEX_TYPE_NONE)
            continue;
        CUiControl label = Control(kSlotIds[slot].label);
        label.SetText(params.info[slot]);
        label.Show(true);
        if (type == ITEMEX_TYPE_EDIT) {
            CUiControl edit = Control(kSlotIds[slot].edit);
            edit.Enable(true);
            edit.Show(true);
        } else if (IsItemExListType(type)) {
            CStrArray_base<64> shown;
            ItemExListChoices(params, slot, m_context.Document(), shown, m_choices[slot]);
            CUiControl combo = Control(kSlotIds[slot].combo);
            combo.ResetContent();
            for (const CMerxString& choice : shown)
                combo.AddString(choice);
            combo.SetCurSel(0);
            combo.Enable(true);
            combo.Show(true);
        }
    }
}

void CItemExDlg::FillControls(const ItemExParams& params, const char* text)
{
    if (params.IsCheck()) {
        bool checked[kItemExFlagCount];
        SplitItemExFlags(params, text, checked);
        for (uint32_t i = 0; i < kItemExFlagCount; ++i)
            if (params.IsFlagUsed(i))
                Control(kFlagIds[i]).SetCheck(checked[i]);
    } else {
        SplitItemExSlots(params, text, m_pieces);
        for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
            if (params.type[slot] == ITEMEX_TYPE_EDIT)
                Control(kSlotIds[slot].edit).SetText(m_pieces[slot]);
            else if (IsItemExListType(params.type[slot]))
                Control(kSlotIds[slot].combo)
                    .SetCurSel(static_cast<int32_t>(FindItemExChoice(m_choices[slot], m_pieces[slot])));
        }
    }
}

void CItemExDlg::ReadControls(const ItemExParams& params, CMerxString& text) const
{
    if (params.IsCheck()) {
        bool checked[kItemExFlagCount];
        for (uint32_t i = 0; i < kItemExFlagCount; ++i)
            checked[i] = params.IsFlagUsed(i) && Control(kFlagIds[i]).GetCheck();
        JoinItemExFlags(params, checked, text);
        return;
    }
    CMerxString values[kItemExSlotCount];
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        const uint32_t type = params.type[slot];
        if (type == ITEMEX_TYPE_EDIT) {
            Control(kSlotIds[slot].edit).GetText(values[slot]);
        } else if (IsItemExListType(type)) {
            const int32_t chosen = Control(kSlotIds[slot].combo).GetCurSel();
            if (InRange(chosen, m_choices[slot].GetCount()))
                values[slot].Assign(m_choices[slot][static_cast<uint32_t>(chosen)]);
        } else {
            values[slot].Assign(m_pieces[slot]);  // a slot without a control keeps its piece
        }
    }
    JoinItemExSlots(params, values, text);
}

void CItemExDlg::HideFieldControls()
{
    for (int32_t id : {IDC_LINES, IDC_LINE_ADD, IDC_LINE_COPY, IDC_LINE_DELETE})
        Control(id).Show(false);
    for (int32_t id : kFlagIds)
        Control(id).Show(false);
    for (const SlotIds& slot : kSlotIds)
        for (int32_t id : {slot.label, slot.combo, slot.edit})
            Control(id).Show(false);
}

bool CItemExDlg::StoreShown()
{
    Field* field = ShownField();
    if (!field || !m_bUserChanged)
        return true;
    if (!AcceptTypedText())
        return false;
    m_bUserChanged = false;
    const ItemExParams& params = ShownParams();
    if (!params.array) {
        ReadControls(params, field->text);
        field->changed = true;
        return true;
    }
    if (!InRange(m_nShownLine, field->lines.GetCount()))
        return true;
    CMerxString& line = field->lines[static_cast<uint32_t>(m_nShownLine)];
    ReadControls(params, line);
    field->changed = true;
    CUiControl lines = Control(IDC_LINES);
    lines.DeleteString(m_nShownLine);
    lines.InsertString(m_nShownLine, LineCaption(line));
    return true;
}

void CItemExDlg::ShowLine(int32_t index, int32_t line)
{
    const Field& field = m_fields[static_cast<uint32_t>(index)];
    const ItemExParams& params = (*m_pRules)[static_cast<uint32_t>(index)];
    // As for a field: nothing is shown while the controls are set.
    m_nShownField = -1;
    m_nShownLine = -1;
    m_bUserChanged = false;
    const bool shown = line >= 0;
    CUiControl lines = Control(IDC_LINES);
    lines.Enable(shown);
    lines.SetCurSel(line);
    // Without a line there is nothing to edit.
    for (int32_t id : kFlagIds)
        Control(id).Enable(shown);
    for (const SlotIds& slot : kSlotIds) {
        Control(slot.combo).Enable(shown);
        Control(slot.edit).Enable(shown);
    }
    FillControls(params, shown ? field.lines[static_cast<uint32_t>(line)].GetBuffer() : "");
    m_nShownField = index;
    m_nShownLine = line;
}

void CItemExDlg::AppendLine(const char* text, const char* comment)
{
    Field& field = *ShownField();
    // The comments run parallel to the lines.
    while (field.comments.GetCount() < field.lines.GetCount())
        field.comments.Add()->Release();
    field.comments.Truncate(field.lines.GetCount());
    field.lines.Add()->Assign(text);
    field.comments.Add()->Assign(comment);
    field.changed = true;
    Control(IDC_LINES).AddString(LineCaption(field.lines[field.lines.GetCount() - 1]));
    ShowLine(m_nShownField, static_cast<int32_t>(field.lines.GetCount() - 1));
}

CItemExDlg::Field* CItemExDlg::ShownField()
{
    return m_nShownField >= 0 ? &m_fields[static_cast<uint32_t>(m_nShownField)] : nullptr;
}

const ItemExParams& CItemExDlg::ShownParams() const { return (*m_pRules)[static_cast<uint32_t>(m_nShownField)]; }
