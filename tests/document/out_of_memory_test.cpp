// Changes of the document when memory runs out, with the heap capped at
// ever larger sizes until the change goes through: a copy that takes an
// element's place, an insertion and a removal either happen whole or leave
// the document as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document_test_helpers.h"
#include "foundation/allocation_cap.h"
#include "foundation/out_of_memory.h"

namespace {

// Runs `change` under ever larger caps. Before it goes through, every
// attempt must run out of memory and leave `state()` as it was; returns
// the number of such attempts.
int UntilItGoesThrough(const std::function<void()>& change, const std::function<std::string()>& state)
{
    int refusals = 0;
    for (size_t cap = 0; cap < (1u << 20); cap += 64) {
        const std::string before = state();
        try {
            const CAllocationCapScope capped(cap);
            change();
            return refusals;
        } catch (...) {
            EXPECT_TRUE(IsOutOfMemory()) << cap;
        }
        ++refusals;
        EXPECT_EQ(state(), before) << cap;
    }
    ADD_FAILURE() << "never went through";
    return refusals;
}

std::string Written(const CMerxDocument& doc, const CMERX_base& element)
{
    return dtest::Text(CMerxWriter(doc).WriteElement(element));
}

} // namespace

TEST(OutOfMemory, AnElementCopyTakesItsPlaceWholeOrNotAtAll)
{
    dtest::Document doc({true, false});
    ASSERT_EQ(doc.Parse(dtest::SampleFile("inc-item-data.cgi")), "");
    ASSERT_GE(doc.itemdata.GetCount(), 3u);
    ASSERT_GE(doc.eventdata.GetCount(), 2u);
    // An item with uses and lists over one with others; a use entry; an event.
    Citemstruct& item = doc.itemdata[1];
    const Citemstruct& source = doc.itemdata[0];
    EXPECT_GT(UntilItGoesThrough([&] { item = source; }, [&] { return Written(doc, item); }), 3);
    EXPECT_EQ(Written(doc, item), Written(doc, source));

    Citemstruct& withUses = doc.itemdata[2];
    ASSERT_GE(withUses.uses.GetCount(), 1u);
    Cusestruct copied;
    const auto useText = [&] {
        Citemstruct holder;
        *holder.uses.Add() = copied;
        return Written(doc, holder);
    };
    EXPECT_GT(UntilItGoesThrough([&] { copied = withUses.uses[0]; }, useText), 3);

    Ceventstruct& event = doc.eventdata[1];
    EXPECT_GT(UntilItGoesThrough([&] { event = doc.eventdata[0]; }, [&] { return Written(doc, event); }), 3);
    EXPECT_EQ(Written(doc, event), Written(doc, doc.eventdata[0]));
}

TEST(OutOfMemory, InsertionsAndRemovalsHappenWholeOrNotAtAll)
{
    dtest::Document doc({true, false});
    ASSERT_EQ(doc.Parse(dtest::SampleFile("inc-item-data.cgi")), "");
    const auto text = [&] {
        return dtest::Text(CMerxWriter(doc).WriteDocument()) + std::to_string(doc.itemdata.GetCount()) + "/" +
               std::to_string(doc.eventdata.GetCount()) + "/" + std::to_string(doc.otherdata.GetCount());
    };
    // Many times, so that the arrays must grow their tables and blocks.
    for (int i = 0; i < 40; ++i) {
        UntilItGoesThrough([&] { doc.InsertItem(1, 1); }, text);
        UntilItGoesThrough([&] { doc.InsertEvent(0, doc.setdata.GetCount()); }, text);
        UntilItGoesThrough([&] { doc.InsertOther(0); }, text);
    }
    while (doc.itemdata.GetCount() > 1)
        UntilItGoesThrough([&] { doc.RemoveElement(doc.itemdata.GetAt(0)); }, text);
    UntilItGoesThrough([&] { doc.ExchangeEvents(0, 1); }, text);
}
