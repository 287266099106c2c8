#include "ui/ui_backend.h"

namespace {

CUiBackend* g_pBackend = nullptr;

}  // namespace

void UiSetBackend(CUiBackend* backend) { g_pBackend = backend; }

CUiBackend& UiBackend()
{
    if (!g_pBackend)
        throw static_cast<int32_t>(0);
    return *g_pBackend;
}
