// Runs the built tavaro program and collects what it printed.
#pragma once

#include <string>
#include <vector>

struct TavaroRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out;
    std::string err;
};

TavaroRun RunTavaro(const std::vector<std::string>& args);
