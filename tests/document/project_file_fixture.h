// The project of the tests of opening and saving: a host that answers
// from queues and records what the project showed and asked, in a
// temporary folder with the program's backup folder, under a fixed clock.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "document/project_file.h"
#include "document/rule_table.h"
#include "document_test_helpers.h"

namespace ptest {
// A host that answers from queues (an empty queue answers no or cancel) and
// records what the project showed and asked.
class ProjectHost : public CProjectHost {
public:
    std::deque<bool> yesNo;
    std::deque<CProjectAnswer> yesNoCancel;
    std::deque<std::string> savePaths;
    std::deque<bool> overwriteChanged; // the question before a save over a changed file
    bool projectInfoOk = false; // the project-information dialog: its answer and what it chose
    CProjectInfo projectInfo;
    std::vector<std::string> corrections; // texts the user applies when reviewing, in turn
    bool reviewAccepted = false;
    std::function<bool()> applyPage = [] { return true; }; // the page applying before a save; false refuses
    int32_t storedItemId = -1;

    std::vector<std::string> shown; // messages and questions, in order
    std::vector<std::string> reviewedMessages;
    std::string reviewedText;
    std::vector<std::string> history;
    int32_t shownTab = -2;
    int askedProjectInfo = 0;

    void ShowMessage(const char* text) override { shown.emplace_back(text); }
    bool AskYesNo(const char* text) override { return shown.emplace_back(text), Take(yesNo, false); }
    CProjectAnswer AskYesNoCancel(const char* t) override { return shown.emplace_back(t), Take(yesNoCancel, kCancel); }
    bool AskProjectInfo(const char*, CProjectInfo& info) override
    {
        ++askedProjectInfo;
        if (projectInfoOk)
            info = projectInfo;
        return projectInfoOk;
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
    bool AskSavePath(const char*, CStr_base<64>& path) override { return !(path = Take(savePaths, "").c_str()).IsEmpty(); }
    bool AskOverwriteChanged(const char* path, const char* question) override
    {
        shown.emplace_back(std::string(question) + " " + path);
        return Take(overwriteChanged, false);
    }
    bool ApplyCurrentPage(CProjectInfo& info) override
    {
        if (!applyPage())
            return false;
        info.itemId = storedItemId;
        return true;
    }
    void ShowProject(int32_t tab) override { shownTab = tab; }
    void AddToHistory(const char* path) override { history.emplace_back(path); }
    void EndProgram() override {}

private:
    static constexpr CProjectAnswer kCancel = CProjectAnswer::kCancel;
    template <class T, class F>
    static T Take(std::deque<T>& queue, F fallback)
    {
        if (queue.empty())
            return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

inline std::string Header()
{
    return SJ("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\r\n###MERX_PROJECT_INFO_BEGIN\r\n");
}

inline std::string Block(const std::string& body) { return Header() + body + "###MERX_PROJECT_INFO_END\r\n"; }

inline const std::string kBeta = Block(SJ("###RuleKey=標準 ベータ版(040318)\r\n"));
inline const std::string kItem = "@@ITEM\r\n\tno\t1\r\n\tname\tsword\r\n";

class ProjectFile : public ::testing::Test {
protected:
    ProjectFile()
    {
        mkdir(folder.Path("program").c_str(), 0700);
        mkdir(folder.Path("program/backup").c_str(), 0700);
        LoadRuleTable(rules, "");
        project.clock = [] {
            std::tm when{};
            when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 6, when.tm_hour = 9, when.tm_min = 5, when.tm_sec = 7;
            return when;
        };
        project.ResetToDefaults(true);
    }

    std::string Path(const std::string& name) const { return folder.Path(name); }
    std::vector<std::string> Backups() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("program/backup")))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder;
    dtest::Document doc;
    CRuleTable rules;
    CSettingsStore settings;
    ProjectHost host;
    CMerxProject project{doc, rules, settings, host, folder.Path("program").c_str()};
};

} // namespace ptest
