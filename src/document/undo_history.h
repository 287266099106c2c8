// The undo history of a project: the steps done (to take back) and those
// taken back (to do again), with their names.
//
// A new step drops the steps taken back. The history keeps at most
// kMaxSteps steps and kMaxBytes of what they hold, dropping the oldest
// first; a single step larger than that is kept alone. Opening a file, a
// new project and a reset clear it. The clean point is where the document
// was last saved (or read): undoing or redoing back to it gives a document
// with nothing to save; once the step there is dropped, no point is clean.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "document/edit_command.h"
#include "foundation/str_base.h"

class CUndoHistory {
public:
    static constexpr size_t kMaxSteps = 500;
    static constexpr size_t kMaxBytes = size_t(256) << 20;

    // Adds a step just done on the document; `name` (CP932) names it in the
    // menu. A null step is no step. When memory runs out, the history is as
    // it was and `step` is still the caller's, to take the change back.
    void Push(CEditCommandPtr&& step, const char* name);
    void Clear();

    bool CanUndo() const { return m_nDone > 0; }
    bool CanRedo() const { return m_nDone < m_steps.size(); }
    // The names of the step Undo and Redo would take, "" for none.
    const char* UndoName() const;
    const char* RedoName() const;
    // Takes back (does again) one step; the identity of the element it
    // changed, to show it (0 for none or when there was no step).
    uint32_t Undo(CMerxDocument& doc);
    uint32_t Redo(CMerxDocument& doc);

    // The document as it stands now was saved.
    void MarkClean();
    // No state of the history is what the file holds (a recovery copy
    // opened: what it holds was never saved).
    void ForgetCleanPoint() { m_nClean = -1; }
    // Whether the document stands where it was last saved.
    bool IsClean() const { return m_nClean == static_cast<int64_t>(m_nDone); }

    size_t GetCount() const { return m_steps.size(); }
    size_t Bytes() const { return m_nBytes; }

private:
    struct Step {
        CEditCommandPtr command;
        CStr_base<64> name;
        size_t bytes;
    };
    void DropOldest();

    std::deque<Step> m_steps;
    size_t m_nDone = 0;   // steps [0, m_nDone) are done
    int64_t m_nClean = 0; // the number of done steps at the clean point, -1 for none
    size_t m_nBytes = 0;
};
