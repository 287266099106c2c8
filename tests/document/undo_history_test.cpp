// The undo history: order, names, the clean point and its bounds.
#include <gtest/gtest.h>

#include <string>

#include "document/undo_history.h"
#include "document_test_helpers.h"

namespace {

// A step that counts how often it is undone and holds `bytes`.
class CCountedStep : public CEditCommand {
public:
    CCountedStep(int& balance, size_t bytes, uint32_t id) : m_balance(balance), m_nBytes(bytes), m_nId(id) {}
    void Undo(CMerxDocument&) override { --m_balance; }
    void Redo(CMerxDocument&) override { ++m_balance; }
    size_t Bytes() const override { return m_nBytes; }
    uint32_t ElementId() const override { return m_nId; }

private:
    int& m_balance;
    size_t m_nBytes;
    uint32_t m_nId;
};

} // namespace

TEST(UndoHistory, StepsAreTakenBackAndDoneAgainInOrderWithTheirNames)
{
    CMerxDocument doc;
    CUndoHistory history;
    int balance = 0;
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(doc), 0u);
    EXPECT_STREQ(history.UndoName(), "");
    for (uint32_t i = 1; i <= 3; ++i) {
        history.Push(std::make_unique<CCountedStep>(balance, 10, i), ("step " + std::to_string(i)).c_str());
        ++balance;
    }
    history.Push(nullptr, "nothing");
    EXPECT_EQ(history.GetCount(), 3u);
    EXPECT_STREQ(history.UndoName(), "step 3");
    EXPECT_EQ(history.Undo(doc), 3u);
    EXPECT_EQ(history.Undo(doc), 2u);
    EXPECT_EQ(balance, 1);
    EXPECT_STREQ(history.RedoName(), "step 2");
    EXPECT_EQ(history.Redo(doc), 2u);
    EXPECT_EQ(balance, 2);
    // A new step drops the one taken back.
    history.Push(std::make_unique<CCountedStep>(balance, 10, 4), "step 4");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.GetCount(), 3u);
    EXPECT_EQ(history.Bytes(), 30u);
    history.Clear();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.IsClean());
}

TEST(UndoHistory, TheCleanPointFollowsTheSave)
{
    CMerxDocument doc;
    CUndoHistory history;
    int balance = 0;
    EXPECT_TRUE(history.IsClean()); // as read
    history.Push(std::make_unique<CCountedStep>(balance, 1, 1), "a");
    EXPECT_FALSE(history.IsClean());
    history.Undo(doc);
    EXPECT_TRUE(history.IsClean());
    history.Redo(doc);
    history.MarkClean(); // saved
    history.Push(std::make_unique<CCountedStep>(balance, 1, 2), "b");
    EXPECT_FALSE(history.IsClean());
    history.Undo(doc);
    EXPECT_TRUE(history.IsClean());
    history.Undo(doc);
    EXPECT_FALSE(history.IsClean());
    // A new step where the saved state was taken back: it is out of reach.
    history.Push(std::make_unique<CCountedStep>(balance, 1, 3), "c");
    history.Undo(doc);
    EXPECT_FALSE(history.IsClean());
}

TEST(UndoHistory, TheOldestStepsGiveWayToTheBounds)
{
    CMerxDocument doc;
    int balance = 0;
    const struct {
        const char* name;
        size_t steps;
        size_t bytes;
        size_t kept;
    } cases[] = {
        {"steps", CUndoHistory::kMaxSteps + 20, 1, CUndoHistory::kMaxSteps},
        {"bytes", 10, CUndoHistory::kMaxBytes / 4, 4},
        {"one step larger than the bound", 3, CUndoHistory::kMaxBytes + 1, 1},
    };
    for (const auto& c : cases) {
        CUndoHistory history;
        history.MarkClean();
        for (size_t i = 0; i < c.steps; ++i)
            history.Push(std::make_unique<CCountedStep>(balance, c.bytes, static_cast<uint32_t>(i + 1)), "s");
        EXPECT_EQ(history.GetCount(), c.kept) << c.name;
        EXPECT_LE(history.Bytes(), std::max(CUndoHistory::kMaxBytes, c.bytes)) << c.name;
        while (history.CanUndo())
            history.Undo(doc);
        EXPECT_FALSE(history.IsClean()) << c.name; // the state as read is out of reach
        EXPECT_EQ(history.Redo(doc), static_cast<uint32_t>(c.steps - c.kept + 1)) << c.name;
    }
}
