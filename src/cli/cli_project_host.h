// The project host of the command line: messages go to standard error in
// UTF-8, questions are answered "no" (a file changed by another program
// since it was read is never overwritten), a file without project information
// takes the rule and name of the options, and reader messages are reported
// and the document accepted as read.
#pragma once

#include <ostream>
#include <string>

#include "cli/project_args.h"
#include "document/project_host.h"
#include "document/rule_table.h"

class CCliProjectHost : public CProjectHost {
public:
    CCliProjectHost(std::ostream& err, std::string command, CRuleTable& rules, const ProjectArgs& args)
        : m_err(err), m_command(std::move(command)), m_rules(rules), m_args(args)
    {
    }

    bool ReaderReported() const { return m_bReaderReported; }
    bool Ended() const { return m_bEnded; }

    void ShowMessage(const char* text) override;
    bool AskYesNo(const char* text) override;
    CProjectAnswer AskYesNoCancel(const char* text) override;
    bool AskProjectInfo(const char* path, CProjectInfo& info) override;
    bool ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry) override;
    bool AskSavePath(const char*, CStr_base<64>&) override { return false; }
    // Refuses: the other program's change is kept, and the command fails.
    bool AskOverwriteChanged(const char* path, const char* question) override;
    bool ApplyCurrentPage(CProjectInfo&) override { return true; }
    void ShowProject(int32_t) override {}
    void AddToHistory(const char*) override {}
    void EndProgram() override { m_bEnded = true; }

private:
    std::ostream& m_err;
    std::string m_command;
    CRuleTable& m_rules;
    const ProjectArgs& m_args;
    bool m_bReaderReported = false;
    bool m_bEnded = false;
};
