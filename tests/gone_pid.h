// The number of a process that has ended and was waited for: a process id
// that names no running process, for the tests of files that a process
// left behind.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

inline long GonePid()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}
