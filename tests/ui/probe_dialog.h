// A dialog with one control of every kind that writes down every handler
// call, and lets a test decide what its handlers do.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog_base.h"
#include "ui/headless/scripted_user.h"

enum : int32_t {
    kProbeLabel = 10,
    kProbeLine = 11,    // single-line edit
    kProbeText = 12,    // multi-line edit
    kProbeCheck = 13,
    kProbeDrop = 14,    // drop-down list
    kProbeCombo = 15,   // editable combo
    kProbeList = 16,
    kProbeTabs = 17,
    kProbeGroup = 18,
    kProbeApply = 19,   // button bound to a handler
    kProbeHidden = 20,  // hidden button
};

inline const CUiDialogTemplate& ProbeTemplate()
{
    static const CUiDialogTemplate t{
        900,
        "Probe",
        {400, 300},
        kUiResizable | kUiMaximizeBox,
        {
            {kProbeLabel, UiControlKind::kStatic, "label", {10, 10, 100, 16}, 0},
            {kProbeLine, UiControlKind::kEdit, "", {10, 30, 200, 20}, kUiTabStop},
            {kProbeText, UiControlKind::kEdit, "", {10, 60, 200, 100}, kUiTabStop | kUiMultiLine | kUiWantReturn},
            {kProbeCheck, UiControlKind::kCheck, "check", {220, 30, 100, 16}, kUiTabStop},
            {kProbeDrop, UiControlKind::kDropList, "", {220, 60, 100, 200}, kUiTabStop},
            {kProbeCombo, UiControlKind::kComboEdit, "", {220, 90, 100, 200}, kUiTabStop},
            {kProbeList, UiControlKind::kList, "", {220, 120, 100, 100}, kUiTabStop},
            {kProbeTabs, UiControlKind::kTab, "", {0, 0, 400, 300}, 0},
            {kProbeGroup, UiControlKind::kGroup, "group", {5, 5, 390, 200}, 0},
            {kProbeApply, UiControlKind::kButton, "Apply", {110, 260, 80, 24}, kUiTabStop},
            {kProbeHidden, UiControlKind::kButton, "Hidden", {10, 260, 80, 24}, kUiTabStop | kUiHidden},
            {kIdOk, UiControlKind::kButton, "OK", {210, 260, 80, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, "Cancel", {310, 260, 80, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

class CProbeDlg : public CDialogBase {
public:
    explicit CProbeDlg(const CUiDialogTemplate& t = ProbeTemplate(), std::string name = "probe")
        : CDialogBase(t), m_name(std::move(name))
    {
        Bind(kProbeApply, UiEvent::kClicked, &CProbeDlg::OnApply);
    }
    ~CProbeDlg() override { DestroyWindow(); }

    // What happened, in order, shared by several probes when they write to
    // the same log.
    std::vector<std::string>* log = &m_ownLog;
    std::vector<std::string> m_ownLog;
    std::function<bool()> onInit;
    std::function<bool(int32_t, UiEvent)> filter;      // the command filter
    std::function<bool(const CUiMessage&)> keyFilter;  // the key filter
    std::function<void()> onApply;
    bool noteActivation = false;  // write down OnActivateApp

protected:
    bool OnInitDialog() override
    {
        Note("init");
        return onInit ? onInit() : true;
    }
    void OnOK() override
    {
        Note("ok");
        CDialogBase::OnOK();
    }
    void OnCancel() override
    {
        Note("cancel");
        CDialogBase::OnCancel();
    }
    bool OnCommand(int32_t id, UiEvent event) override
    {
        static const char* const names[] = {"clicked", "changed", "selchanged", "dblclicked"};
        Note("cmd " + std::to_string(id) + " " + names[static_cast<int>(event)]);
        return filter && filter(id, event);
    }
    bool PreTranslateMessage(const CUiMessage& message) override
    {
        if (message.kind == UiMessageKind::kPosted)
            Note("posted " + std::to_string(message.code));
        else
            Note("key " + std::to_string(static_cast<int>(message.key)) + (message.ctrl ? " ctrl" : "") +
                 " at " + std::to_string(message.control));
        return keyFilter && keyFilter(message);
    }
    void OnSize(int32_t cx, int32_t cy) override { Note("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    void OnShowWindow(bool show) override { Note(show ? "shown" : "hidden"); }
    // Heard only where a test asks for it: the first window a program
    // shows may make it active.
    void OnActivateApp(bool active) override
    {
        if (noteActivation)
            Note(active ? "app active" : "app inactive");
    }
    void OnDestroy() override { Note("destroy, label " + std::string(Control(kProbeLabel).IsVisible() ? "readable" : "")); }

private:
    void OnApply()
    {
        Note("apply");
        if (onApply)
            onApply();
    }
    void Note(const std::string& text) { log->push_back(m_name + ": " + text); }

    std::string m_name;
};

using Log = std::vector<std::string>;

// The entries of `log` that start with `prefix`, without the prefix.
inline Log Entries(const Log& log, const std::string& prefix)
{
    Log found;
    for (const std::string& entry : log) {
        if (entry.compare(0, prefix.size(), prefix) == 0)
            found.push_back(entry.substr(prefix.size()));
    }
    return found;
}

// A shown modeless probe with a person and an empty log.
struct ShownProbe {
    explicit ShownProbe(const CUiDialogTemplate& t = ProbeTemplate()) : dialog(t)
    {
        dialog.Create();
        dialog.ShowWindow(UiShow::kShow);
        dialog.m_ownLog.clear();
    }
    CScriptedUser user;
    CProbeDlg dialog;
};
