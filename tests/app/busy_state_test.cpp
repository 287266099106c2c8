// The wait counter and the ready flag change only through their scopes,
// which nest and put back what they found on every way out.
#include <gtest/gtest.h>

#include "app/modal_wait.h"
#include "app/notify_ready.h"

namespace {

TEST(BusyState, ScopesNestAndRestoreOnEveryWayOut)
{
    CModalWait wait;
    CNotifyReady ready;
    try {
        const CModalWaitScope outer(wait);
        const CNotifyQuietScope quiet(ready);
        {
            const CModalWaitScope inner(wait);
            const CNotifyQuietScope again(ready);
            EXPECT_EQ(static_cast<uint32_t>(wait), 2u);
        }
        EXPECT_EQ(static_cast<uint32_t>(wait), 1u);
        EXPECT_FALSE(ready);  // the inner scope found it clear
        throw 0;
    } catch (int) {
    }
    EXPECT_FALSE(wait.IsWaiting());
    EXPECT_TRUE(ready);
}

}  // namespace
