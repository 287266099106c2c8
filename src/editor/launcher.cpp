// The program a user starts: it starts the editor beside it (TAVARO_LAUNCHED
// in the same folder), with huge pages for its heap where the system gives
// them only on request. Being small, it starts fast; the editor, started
// once with what it needs, loads its window libraries once.
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/huge_page_heap.h"

int main(int, char** argv)
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string program = TAVARO_LAUNCHED;
    if (length > 0) {
        const std::string path(self, static_cast<size_t>(length));
        program = path.substr(0, path.rfind('/') + 1) + TAVARO_LAUNCHED;
    }
    StartWithHugePagesForTheHeap(program.c_str(), argv);
    std::fprintf(stderr, "TavaroItemEditor: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return errno == ENOENT ? 127 : 126;
}
