// What the editing pages and the tool windows may reach of the main window:
// the document and the project around it, the settings, the window's shared
// state (wait counter, ready flag, modified mark), its
// messages and questions, fonts and direct-input window, and the page
// navigation that the tools use. The main dialog implements it; pages and tools know no more of
// the main dialog than this.
#pragma once

#include <cstdint>

#include "app/apply_result.h"
#include "app/direct_input_dlg.h"
#include "app/modal_wait.h"
#include "app/modified_marker.h"
#include "app/notify_ready.h"
#include "document/edit_command.h"
#include "document/merx_document.h"
#include "document/project_info.h"
#include "document/rule_table.h"
#include "document/yes_no_question.h"
#include "editing/page_element.h"
#include "settings/settings_store.h"
#include "ui/ui_types.h"

class CPageContext : public CModifiedMarker {
public:
    // The document, and the project around it: its information (name, icon
    // folder, stored positions), the rule applied to it with the extension
    // fields of items and use entries, and the data file's path (empty for
    // a project never saved).
    virtual CMerxDocument& Document() = 0;
    virtual CProjectInfo& ProjectInfo() = 0;
    virtual const CAppliedRule& AppliedRule() const = 0;
    virtual const CStr_base<64>& FilePath() const = 0;
    virtual CSettingsStore& Settings() = 0;

    // The wait counter, raised only through CModalWaitScope.
    virtual CModalWait& ModalWait() = 0;
    // While the counter is raised: shows the guard message and returns true.
    virtual bool RefuseWhileWaiting() = 0;
    // The ready flag, cleared only through CNotifyQuietScope.
    virtual CNotifyReady& NotifyReady() = 0;
    // Asks the current page to apply its edits, as its "適用" does, and
    // returns what came of it (done when no page is shown).
    virtual CApplyResult ApplyCurrentPage() = 0;

    // Message boxes over the main window; the wait counter is raised while
    // one is open.
    virtual void ShowMessage(const char* text) = 0;
    virtual UiAnswer Ask(const char* text, UiButtons buttons, UiAnswer defaultButton = UiAnswer::kNone) = 0;
    // The yes/no questions of the document's rules (the 0x5C completion's),
    // asked with Ask.
    CYesNoQuestion& Question() { return m_question; }
    // The program's folder (a path text) and the two "ＭＳ ゴシック" fonts.
    virtual const CStr_base<64>& ProgramFolder() const = 0;
    virtual const CUiFont& EditFont() const = 0;      // 12 point
    virtual const CUiFont& FunctionFont() const = 0;  // 9 point
    // Runs the direct-input window on `text` with `check` as its validation;
    // on OK `text` is the accepted text and the result true.
    virtual bool RunDirectInput(CStr_base<16384>& text, CDirectInputCheck check) = 0;

    // For the tools. Shows element `index` on the page of `tab`: on the
    // current page it is selected as if the user had chosen it; any other
    // page becomes the current one with that element selected, unless the
    // current page refuses to apply (false).
    virtual bool ShowElement(int32_t tab, int32_t index) = 0;
    // The current page and the element it shows.
    virtual CPageElement CurrentElement() = 0;
    // After a replace changed the document under it: the current page shows
    // the document anew.
    virtual void ReloadCurrentPage() = 0;

    // Records `step`, a change just made to the document, as one step of
    // the undo history named `name` (the edit menu shows "取り消し: " and
    // the name); the project is modified. A null step (nothing changed)
    // records nothing.
    virtual void Record(CEditCommandPtr step, const char* name) = 0;

protected:
    ~CPageContext() = default;

private:
    class CContextQuestion : public CYesNoQuestion {
    public:
        explicit CContextQuestion(CPageContext& context) : m_context(context) {}
        bool AskYesNo(const char* text) override { return m_context.Ask(text, UiButtons::kYesNo) == UiAnswer::kYes; }

    private:
        CPageContext& m_context;
    };

    CContextQuestion m_question{*this};
};
