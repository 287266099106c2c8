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

// How RunProgramWith starts a program, besides what RunProgram takes.
struct ProgramStart {
    std::vector<std::string> environment;  // as for RunProgram
    std::string output;                    // as for RunProgram
    bool closedOutput = false;             // standard output a pipe whose reader went away
};

// RunProgram with the start of `start`. The program meets a closed output
// with the signal SIGPIPE in its default handling, as from a shell.
ProgramRun RunProgramWith(std::string program, const std::vector<std::string>& args, const ProgramStart& start);
