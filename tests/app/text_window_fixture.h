// What the text-window tests share: a person, a settings store, a modified
// mark that counts, and a validation that follows a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/direct_input_dlg.h"
#include "app/modified_marker.h"
#include "foundation/cp932.h"
#include "settings/settings_store.h"
#include "ui/headless/scripted_user.h"

struct CountingMarker : CModifiedMarker {
    void MarkModified() override { ++count; }
    int count = 0;
};

// The validation of the tests: records each candidate and whether the wait
// cursor was on, refuses with the queued error texts while there are any,
// then accepts (rewriting the text when asked to).
struct CheckScript {
    bool operator()(CStr_base<16384>& text, CStr_base<1024>& errors)
    {
        seen.emplace_back(text.GetBuffer());
        waitCursorSeen = user->Backend().IsWaitCursorShown();
        if (!refusals.empty()) {
            errors = Utf8ToCp932(refusals.front()).c_str();
            refusals.pop_front();
            return false;
        }
        if (!rewrite.empty())
            text = rewrite.c_str();
        return true;
    }

    CScriptedUser* user;
    std::vector<std::string> seen{};
    std::deque<std::string> refusals{};  // UTF-8
    std::string rewrite{};             // non-empty: the accepted text becomes this
    bool waitCursorSeen = false;
};

class TextWindowTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(user.TakeProblems(), std::vector<std::string>{}); }

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
    std::string Setting(const char* path)
    {
        const CSettingsStore::Value* value = FindSetting(settings, path);
        return value ? value->GetBuffer() : "<missing>";
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
    CheckScript script{&user};
};
