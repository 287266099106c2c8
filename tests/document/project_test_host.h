// A project host for tests: answers from queues and records what the
// project showed and asked.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "document/project_host.h"

namespace dtest {

class ProjectHost : public CProjectHost {
public:
    // Answers, taken in order; an empty queue answers no / cancel.
    std::deque<bool> yesNo;
    std::deque<CProjectAnswer> yesNoCancel;
    std::deque<std::string> savePaths;
    // The project-information dialog: cancelled when not set.
    bool projectInfoOk = false;
    CProjectInfo projectInfo;
    // The review of reader messages: texts the user applies in turn, then
    // whether the user accepts.
    std::vector<std::string> corrections;
    bool reviewAccepted = false;
    // Left in m_strApplyError by the page before a save.
    CMerxDocument* doc = nullptr;
    std::string pageRefusal;
    int32_t storedItemId = -1;

    // What happened.
    std::vector<std::string> shown;  // messages and questions, in order
    std::vector<std::string> reviewedMessages;
    std::string reviewedText;
    std::vector<std::string> history;
    int32_t shownTab = -2;
    std::string title;
    bool ended = false;
    int askedProjectInfo = 0;

    void ShowMessage(const char* text) override { shown.emplace_back(text); }
    bool AskYesNo(const char* text) override
    {
        shown.emplace_back(text);
        return Take(yesNo, false);
    }
    CProjectAnswer AskYesNoCancel(const char* text) override
    {
        shown.emplace_back(text);
        return Take(yesNoCancel, CProjectAnswer::kCancel);
    }
    bool AskProjectInfo(const char*, CProjectInfo& info) override
    {
        ++askedProjectInfo;
        if (!projectInfoOk)
            return false;
        info.projectName = projectInfo.projectName;
        info.ruleKey = projectInfo.ruleKey;
        info.ruleName = projectInfo.ruleName;
        return true;
    }
    bool ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry) override
    {
        reviewedText = text;
        reviewedMessages.emplace_back(messages);
        for (const std::string& correction : corrections) {
            CStr_base<1024> again;
            retry(correction.c_str(), again);
            reviewedMessages.emplace_back(again.GetBuffer());
        }
        return reviewAccepted;
    }
    bool AskSavePath(const char*, CStr_base<64>& path) override
    {
        if (savePaths.empty())
            return false;
        path = savePaths.front().c_str();
        savePaths.pop_front();
        return true;
    }
    void ApplyCurrentPage(CProjectInfo& info) override
    {
        if (doc)
            doc->m_strApplyError = pageRefusal.c_str();
        info.itemId = storedItemId;
    }
    void ShowProject(int32_t tab, const char* text) override
    {
        shownTab = tab;
        title = text;
    }
    void AddToHistory(const char* path) override { history.emplace_back(path); }
    void EndProgram() override { ended = true; }

private:
    template <class T>
    static T Take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

} // namespace dtest
