#include "foundation/leftover_files.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

long ProcessNumberInName(std::string_view name, std::string_view prefix, CNameRest rest)
{
    if (name.substr(0, prefix.size()) != prefix)
        return -1;
    size_t end = prefix.size();
    long pid = 0;
    // Nine digits hold every process number and cannot overflow.
    while (end < name.size() && end - prefix.size() < 9 && name[end] >= '0' && name[end] <= '9')
        pid = pid * 10 + (name[end++] - '0');
    if (end == prefix.size() || name[prefix.size()] == '0' || !rest(name.substr(end)))
        return -1;
    return pid;
}

bool ProcessIsGone(long pid)
{
    if (pid <= 0 || pid > INT_MAX || pid == static_cast<long>(getpid()))
        return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

std::vector<std::string> LeftoverFiles(const std::string& folder, std::string_view prefix, CNameRest rest)
{
    std::vector<std::string> found;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return found;
    const int saved = errno;
    while (const dirent* entry = readdir(dir)) {
        const long pid = ProcessNumberInName(entry->d_name, prefix, rest);
        if (pid < 0 || !ProcessIsGone(pid))
            continue;
        const std::string path = (folder == "/" ? "" : folder) + "/" + entry->d_name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            found.push_back(path);
    }
    closedir(dir);
    errno = saved;
    return found;
}
