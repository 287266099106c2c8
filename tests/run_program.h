// Runs a built program of the project and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs `program` with `args`, standard input empty. `environment` holds
// "NAME=value" settings that come before the inherited ones (for the C
// library the first setting of a name counts). Standard output goes to the
// file `output` when one is named (and is then not collected).
ProgramRun RunProgram(std::string program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment = {}, const std::string& output = "");
