// Reading a data text into the document.
//
// The reader never gives up on bad input: every block becomes an element,
// and lines it cannot understand are left out and reported, one line each
// with its 1-based line number, in the reader's own messages (Messages),
// which the caller shows. Texts use "\n" line ends.
#pragma once

#include <cstdint>
#include <string>

#include "document/element_reader.h"
#include "pattern/regex_types.h"

// The reader's messages, held before the element reader that appends to
// them is built.
struct CReaderMessages {
    CStr_base<1024> m_strMessages;
};

class CMerxReader : private CReaderMessages, public CElementReader {
public:
    explicit CMerxReader(CMerxDocument& doc) : CElementReader(doc, m_strMessages), m_doc(doc) {}

    // What the reading met, one line a message, in the order met; emptied
    // only by ClearMessages.
    const CStr_base<1024>& Messages() const { return m_strMessages; }
    void ClearMessages() { m_strMessages.Release(); }

    // Refills the whole document from `text`, which the document keeps
    // (keptText) with the place of every item, event and function block in
    // it. False when memory ran out: the document then holds only part of
    // the text and must not be taken for it.
    bool Parse(const char* text);
    // The same, taking `text` over (up to its first zero byte) instead of
    // copying it: the caller's copy is gone before the elements are made.
    bool Parse(std::string&& text);

private:
    // Reads the blocks into the arrangement; true when a definition was seen.
    bool ReadBlocks(const char* text, const CStrRegexHitList& blocks);
    // Takes a @@SKIP block and the blocks it skips as other text; returns
    // the last block taken.
    uint32_t ReadSkip(const char* text, const CStrRegexHitList& blocks, uint32_t first, uint32_t& line);
    // Inserts the default definition (when none was seen) and the function
    // blocks missing from the arrangement at the end of the data.
    void PlaceBeforeEnd(bool defineSeen);
    // The function block `block`, a copy of the `length` bytes at `start`
    // of the kept text.
    void ReadFunctionBlock(const char* block, const char* start, uint32_t length, uint32_t line);
    // The place lines behind an item or event (`length` bytes, perhaps
    // none): other text, past which `line` is advanced.
    void ReadPlaceLines(const char* text, uint32_t length, uint32_t& line);
    // Appends other text to the arrangement, joined to an other text that
    // stands last.
    void AppendOtherText(const char* text, int32_t length);
    // A new other-text element (not yet arranged) with the first `length`
    // bytes of `text` (all of it when negative).
    Cotherstruct* NewOtherText(const char* text, int32_t length);

    CMerxDocument& m_doc;
};
