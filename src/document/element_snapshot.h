// What an element holds, kept apart from the document: the steps of the
// undo history hold elements as they were, never pointers into the
// containers (whose storage a removal hands out again).
#pragma once

#include <cstddef>
#include <memory>

#include "document/merx_base.h"

class CElementSnapshot {
public:
    // A copy of what `element` holds, with the place its text stood at in
    // the kept text (which the save writes again while it is unchanged).
    explicit CElementSnapshot(const CMERX_base& element);
    ~CElementSnapshot();
    CElementSnapshot(const CElementSnapshot&) = delete;
    CElementSnapshot& operator=(const CElementSnapshot&) = delete;

    uint8_t GetKind() const { return m_copy->GetKind(); }
    // `element` (of the same kind) takes what the snapshot holds; its
    // place stays its own.
    void CopyInto(CMERX_base& element) const;
    // The same, and the place too: an element put back where it was.
    void RestoreInto(CMERX_base& element) const;
    // `element` (of the same kind) and the snapshot exchange what they
    // hold (without copying fields and lists of items and events); the
    // element keeps its place.
    void ExchangeWith(CMERX_base& element);
    // Whether `element` (of any kind) holds what the snapshot holds: the
    // same fields, lists and use entries (element_compare.h), or the same
    // text.
    bool Holds(const CMERX_base& element) const;
    // About how many bytes the snapshot takes.
    size_t Bytes() const { return m_nBytes; }

private:
    std::unique_ptr<CMERX_base> m_copy;
    CKeptSpan m_span;
    size_t m_nBytes = 0;
};
