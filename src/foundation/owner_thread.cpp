#include "foundation/owner_thread.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<COwnerThreadFaultHandler> g_handler{nullptr};

} // namespace

void OwnerThreadFault(const char* what)
{
    if (const COwnerThreadFaultHandler handler = g_handler.load()) {
        handler(what);
        return;
    }
    std::fprintf(stderr, "%s called on a thread that does not own the object\n", what);
    std::abort();
}

COwnerThreadFaultHandler SetOwnerThreadFaultHandler(COwnerThreadFaultHandler handler)
{
    return g_handler.exchange(handler);
}
