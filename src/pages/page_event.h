// The event page: the list of events, the shown event's fields, script
// texts and param lines, and the page operations (add, copy, delete, move,
// apply, revert, direct edit).
//
// As on the item page, the page shows a working copy, reads the controls
// back into it, and apply stores it; a field, script or param line whose
// controls the user left alone keeps its stored bytes.
#pragma once

#include <cstdint>

#include "document/event_struct.h"
#include "editing/event_fields.h"
#include "editing/event_params.h"
#include "editing/event_scripts.h"
#include "pages/element_list_page.h"
#include "pages/main_page.h"

class Cpage_event : public CElementListPage<Ceventstruct> {
public:
    explicit Cpage_event(CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override;
    void StoreSelection(CProjectInfo& info) const override;
    // "適用": stores the working copy into the document.
    CApplyResult Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnDestroy() override;
    // The script edits are named by the script they show.
    CStr_base<64> TypedFieldName(int32_t id) const override;

private:
    // The event list's controls and rules (page_event_list.cpp).
    static const CElementListKind<Ceventstruct> kList;

    void OnSelChangeFunc();
    void OnSelChangeParam();
    void OnParamAdd();
    void OnParamCopy();
    void OnParamDelete();
    void OnDirectEdit();

    void ShowEvent();
    void EnableEventControls(bool shown);
    CEventFieldControls ReadFieldControls() const;
    // Reads the fields, the shown param line and the shown script into the
    // working copy; a refusal, its reasons shown, when they cannot be read
    // or a param line cannot be shown.
    CApplyResult SaveShownEvent();
    void SaveParam();
    // Shows param line `index`; for a line that cannot be shown the item
    // and value controls are emptied and disabled (the line can be deleted,
    // and apply refuses it).
    void ShowParam(int32_t index);
    CParamControls ReadParamControls() const;
    // Stores the shown script into the working copy; a refusal whose
    // reasons the caller shows.
    CApplyResult SaveScript();
    void ShowScript(int32_t index);
    CEventScriptControls ReadScriptControls() const;
    void FillGroups();
    // The filter box, as on the item page: the list shows the events whose
    // "code" or "startmsg" holds its text.
    void AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const override;
    // The list's side of the page (element_list.h): the group combo is
    // filled again when the events changed.
    void ShowElement() override { ShowEvent(); }
    void HideElement() override;
    void ElementsChanged() override { FillGroups(); }
    int32_t EscapeMode(const char* key) const;

    int32_t noweventID = -1;         // the shown event, -1 for none
    Ceventstruct m_work;             // its working copy
    CEventFieldControls m_shown;     // what the field controls held when shown or applied
    int32_t m_nParam = -1;           // the param line shown
    CParamControls m_shownParam;
    int32_t m_nFunc = -1;            // 0 startfunc, 1 endfunc, 2 func
    CEventScriptControls m_shownScript;
};
