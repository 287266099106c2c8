// Runs the built tavaro program and collects what it printed.
#pragma once

#include "../run_program.h"

using TavaroRun = ProgramRun;

inline TavaroRun RunTavaro(const std::vector<std::string>& args) { return RunProgram(TAVARO_EXE, args); }
