// What the text-window tests share: a person, a settings store, a modified
// mark that counts, and a validation function that follows a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/direct_input_dlg.h"
#include "app/modified_marker.h"
#include "app/window_geometry.h"
#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"
#include "ui/headless/scripted_user.h"

struct CountingMarker : CModifiedMarker {
    void MarkModified() override { ++count; }
    int count = 0;
};

// The validation function of the tests: records each candidate, refuses
// with the queued error texts while there are any, then accepts (rewriting
// the text when asked to).
struct CheckScript {
    std::vector<std::string> seen;
    std::deque<std::string> refusals;  // UTF-8
    std::string rewrite;       // non-empty: the accepted text becomes this
    CScriptedUser* user = nullptr;
    bool waitCursorSeen = false;

    bool operator()(CStr_base<16384>& text, CStr_base<1024>& errors)
    {
        CheckScript& script = *this;
        script.seen.emplace_back(text.GetBuffer());
        if (script.user)
            script.waitCursorSeen = script.user->Backend().IsWaitCursorShown();
        if (!script.refusals.empty()) {
            errors = Utf8ToCp932(script.refusals.front()).c_str();
            script.refusals.pop_front();
            return false;
        }
        if (!script.rewrite.empty())
            text = script.rewrite.c_str();
        return true;
    }
};

class TextWindowTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{}); }

    static CUiFont GothicFont()  // 12-point "ＭＳ ゴシック"
    {
        CUiFont font;
        font.face = SJ("ＭＳ ゴシック");
        font.points = 12;
        return font;
    }
    // Runs `window` on `text` while `drive` acts inside it; Cancel closes
    // what `drive` leaves open.
    template <class Window>
    int32_t RunWindow(Window& window, const char* text, const std::function<void(Window&)>& drive)
    {
        window.SetText(text);
        user.OnModal(
            [&](CDialogBase&) {
                drive(window);
                if (!user.LookAt(window).IsEnded())
                    user.Click(window, kIdCancel);
            },
            Window::IDD);
        return window.DoModal();
    }
    // The texts of the error list, as UTF-8.
    std::vector<std::string> ErrorLines(CDirectInputDlg& input)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& item : user.Look(input.ErrInfo(), CErrInfoDlg::IDC_LIST).items)
            lines.push_back(Cp932ToUtf8(item.GetBuffer()));
        return lines;
    }
    std::string Setting(const char* path)
    {
        try {
            const CSettingsStore::Value* value = settings.GetValue(path);
            return value ? value->GetBuffer() : "<missing>";
        } catch (int32_t) {
            return "<no section>";
        }
    }
    // The edit's selection.
    std::pair<uint32_t, uint32_t> Selection(const CDialogBase& dialog, int32_t id)
    {
        const CHeadlessControl& edit = user.Look(dialog, id);
        return {edit.selStart, edit.selEnd};
    }

    CScriptedUser user;
    CSettingsStore settings;
    CountingMarker marker;
    CheckScript script;
};
