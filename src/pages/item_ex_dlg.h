// The extension-field dialog: edits the extension fields of one item or one
// use entry through controls made from the applied rule, instead of their
// raw text.
//
// The list on the left names the fields of the element's kind. The shown
// field is split into its controls: flag boxes for a "CHECK" field, or up to
// three slots, each an edit box or a drop-down list. An "Array" field of a
// use entry is a list of lines, chosen, added, copied and deleted above the
// slots, each line split like a field of its own.
//
// The dialog edits copies of the fields. A field (a line of an "Array"
// field) is joined again from its controls only when the user changed one
// of them since it was shown, so browsing gives every text back as it
// stood, also texts that splitting and joining would not give back. "OK"
// writes the changed fields into the element; "ｷｬﾝｾﾙ" leaves it alone.
//
//     CItemExDlg dlg(workingItem, context, lastItemExIndex);
//     if (dlg.DoModal() == kIdOk) { /* workingItem holds the edits */ }
//     lastItemExIndex = dlg.LastIndex();
#pragma once

#include <cstdint>

#include "app/page_context.h"
#include "document/item_ex_fields.h"
#include "document/merx_base.h"
#include "foundation/array_auto.h"
#include "foundation/str_array.h"
#include "ui/dialog_base.h"

class CItemExDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 139,
        IDC_FIELDS = 1001,      // list of the field names
        IDC_LINES = 1085,       // lines of an "Array" field
        IDC_LINE_ADD = 1086,    // "追加"
        IDC_LINE_COPY = 1087,   // "複製"
        IDC_LINE_DELETE = 1088, // "削除"
    };
    // The check boxes of flags 0 to 9.
    static constexpr int32_t kFlagIds[kItemExFlagCount] = {1018, 1019, 1020, 1021, 1022,
                                                           1028, 1046, 1053, 1054, 1055};
    // The caption, list and edit box of slots 1 to 3.
    struct SlotIds {
        int32_t label, combo, edit;
    };
    static constexpr SlotIds kSlotIds[kItemExSlotCount] = {{1089, 1090, 1091}, {1093, 1092, 1094}, {1096, 1095, 1097}};

    // `element` is an item (Citemstruct) or a use entry (Cusestruct) and
    // must outlive the dialog; `firstIndex` is the field shown first
    // (nothing is shown when it is no index of the list).
    CItemExDlg(CMERX_base& element, CPageContext& context, int32_t firstIndex);
    ~CItemExDlg() override { DestroyWindow(); }

    // The field selected last, -1 for none: the one to show first next time.
    int32_t LastIndex() const { return m_nLastIndex; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    // The edited copy of one field: its text, or the lines of an "Array"
    // field with their comments; `changed` once anything was stored into it.
    struct Field {
        CMerxString text;
        CStrArray_base<64> lines;
        CStrArray_base<64> comments;
        bool changed = false;
    };

    // Control handlers.
    void OnSelchangeList1();
    void OnSelchangeLines();
    void OnLineAdd();
    void OnLineCopy();
    void OnLineDelete();
    void OnUserChange();

    // Stores the shown field (the shown line of an "Array" field), if the
    // user changed it, then shows field `index` (none when -1).
    void ShowField(int32_t index);
    // Shows the controls of `params` with their captions and choices.
    void SetUpControls(const ItemExParams& params);
    // Splits `text` into the shown controls.
    void FillControls(const ItemExParams& params, const char* text);
    // Joins the shown controls into `text`.
    void ReadControls(const ItemExParams& params, CMerxString& text) const;
    void HideFieldControls();
    // The shown field's values into its copy when the user changed them;
    // false, with the refusal shown, when they hold text the file cannot
    // hold.
    bool StoreShown();
    // Shows line `line` (none when -1) of the "Array" field `index`.
    void ShowLine(int32_t index, int32_t line);
    // Appends `text` with `comment` to the shown "Array" field and shows it.
    void AppendLine(const char* text, const char* comment);
    // The shown field's copy and rule, when one is shown.
    Field* ShownField();
    const ItemExParams& ShownParams() const;

    CMERX_base& m_element;
    CPageContext& m_context;
    const CArrayAuto<ItemExParams>* m_pRules = nullptr;  // of the element's kind; null for another kind
    CArrayAuto<Field> m_fields;                          // one per rule
    int32_t m_nFirstIndex;
    int32_t m_nLastIndex = -1;
    int32_t m_nShownField = -1;  // the field whose controls are shown
    int32_t m_nShownLine = -1;   // of an "Array" field: the line shown
    bool m_bUserChanged = false; // the user changed a control of what is shown
    // Of the shown field's slots: the text each list choice stores, and the
    // piece a slot of another kind took (it has no control and keeps it).
    CStrArray_base<64> m_choices[kItemExSlotCount];
    CMerxString m_pieces[kItemExSlotCount];
};
