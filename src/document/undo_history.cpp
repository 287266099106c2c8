#include "document/undo_history.h"

#include <utility>

void CUndoHistory::Push(CEditCommandPtr&& step, const char* name)
{
    if (!step)
        return;
    // What may run out of memory comes first: then the history is as it
    // was and the caller still holds the step.
    const size_t bytes = step->Bytes();
    Step entry{nullptr, CStr_base<64>(name), bytes};
    m_steps.push_back(std::move(entry));
    m_steps.back().command = std::move(step);
    // The steps taken back cannot be done again after a new one.
    while (m_steps.size() > m_nDone + 1) {
        m_nBytes -= m_steps[m_nDone].bytes;
        m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nDone));
    }
    if (m_nClean > static_cast<int64_t>(m_nDone))
        m_nClean = -1;
    m_nBytes += bytes;
    ++m_nDone;
    while (m_steps.size() > 1 && (m_steps.size() > kMaxSteps || m_nBytes > kMaxBytes))
        DropOldest();
}

void CUndoHistory::DropOldest()
{
    m_nBytes -= m_steps.front().bytes;
    m_steps.pop_front();
    --m_nDone;
    m_nClean = m_nClean > 0 ? m_nClean - 1 : -1;
}

void CUndoHistory::Clear()
{
    m_steps.clear();
    m_nDone = 0;
    m_nClean = 0;
    m_nBytes = 0;
}

const char* CUndoHistory::UndoName() const { return CanUndo() ? m_steps[m_nDone - 1].name.GetBuffer() : ""; }

const char* CUndoHistory::RedoName() const { return CanRedo() ? m_steps[m_nDone].name.GetBuffer() : ""; }

uint32_t CUndoHistory::Undo(CMerxDocument& doc)
{
    if (!CanUndo())
        return 0;
    CEditCommand& step = *m_steps[m_nDone - 1].command;
    step.Undo(doc);
    --m_nDone;
    return step.ElementId();
}

uint32_t CUndoHistory::Redo(CMerxDocument& doc)
{
    if (!CanRedo())
        return 0;
    CEditCommand& step = *m_steps[m_nDone].command;
    step.Redo(doc);
    ++m_nDone;
    return step.ElementId();
}

void CUndoHistory::MarkClean() { m_nClean = static_cast<int64_t>(m_nDone); }
