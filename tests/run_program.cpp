#include "run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A temporary file that is removed again.
class TempFile {
public:
    TempFile()
    {
        const char* dir = std::getenv("TMPDIR");
        m_path = std::string(dir && *dir ? dir : "/tmp") + "/tavaro-run-XXXXXX";
        const int fd = mkstemp(m_path.data());
        if (fd < 0)
            std::abort();
        close(fd);
    }
    ~TempFile() { std::remove(m_path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }
    std::string Read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

private:
    std::string m_path;
};

// The environment of a child: `settings` ("NAME=value", which stay alive
// as long as the result is used) before this process's own, null-ended.
std::vector<char*> Environment(std::vector<std::string>& settings)
{
    std::vector<char*> envp;
    for (std::string& setting : settings)
        envp.push_back(setting.data());
    for (char** name = environ; *name; ++name)
        envp.push_back(*name);
    envp.push_back(nullptr);
    return envp;
}

}  // namespace

ProgramRun RunProgram(std::string program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment, const std::string& output)
{
    TempFile out, err;
    std::vector<char*> argv;
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (output.empty() ? out.Path() : output).c_str(),
                                     O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.Path().c_str(), O_WRONLY | O_TRUNC, 0);
    std::vector<std::string> settings(environment);
    const std::vector<char*> envp = Environment(settings);

    pid_t pid;
    ProgramRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = out.Read();
    run.err = err.Read();
    return run;
}

ProgramRun RunProgramWith(std::string program, const std::vector<std::string>& args, const ProgramStart& start)
{
    TempFile out, err;
    std::vector<std::string> copies(args);
    std::vector<char*> argv{program.data()};
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> settings(start.environment);
    const std::vector<char*> envp = Environment(settings);

    // Everything the child needs is opened here: between fork and exec it
    // only makes system calls.
    int pipeEnds[2] = {-1, -1};
    if (start.closedOutput && pipe2(pipeEnds, O_CLOEXEC) == 0)
        close(pipeEnds[0]);
    const std::string& outPath = start.output.empty() ? out.Path() : start.output;
    const int outFd = start.closedOutput ? pipeEnds[1] : open(outPath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    const int errFd = open(err.Path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    const int inFd = open("/dev/null", O_RDONLY | O_CLOEXEC);

    ProgramRun run;
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        if (dup2(inFd, 0) < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0)
            _exit(126);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    for (const int fd : {outFd, errFd, inFd})
        if (fd >= 0)
            close(fd);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    if (start.output.empty() && !start.closedOutput)
        run.out = out.Read();
    run.err = err.Read();
    return run;
}
