// Reading a data text into the document.
//
// The reader never gives up on bad input: every block becomes an element,
// and lines it cannot understand are left out and reported, one line each
// with its 1-based line number, in the document's m_strApplyError (which
// the caller empties beforehand). Texts use "\n" line ends.
#pragma once

#include <cstdint>
#include <string>

#include "document/element_key_maps.h"
#include "document/element_lines.h"
#include "document/merx_document.h"
#include "pattern/regex_types.h"

class CMerxReader {
public:
    explicit CMerxReader(CMerxDocument& doc) : m_doc(doc) {}

    // Refills the whole document from `text`. False only when memory runs out.
    bool Parse(const char* text);

    // Read one element's text; `line` is the number of lines before it and
    // is advanced past it. False (with a message) when the text does not
    // begin with the element's keyword.
    bool ParseItem(Citemstruct& item, const char* text, uint32_t& line);
    bool ParseEvent(Ceventstruct& event, const char* text, uint32_t& line);
    // Reads into the document's definition element.
    bool ParseDefine(const char* text, uint32_t& line);

private:
    // ParseItem and ParseEvent on the first `length` bytes of `text` (no
    // zero byte among them), with the key maps built.
    bool ReadItem(Citemstruct& item, const char* text, uint32_t length, uint32_t& line);
    bool ReadEvent(Ceventstruct& event, const char* text, uint32_t length, uint32_t& line);
    // Reads the blocks into the arrangement; true when a definition was seen.
    bool ReadBlocks(const char* text, const CStrRegexHitList& blocks);
    // Takes a @@SKIP block and the blocks it skips as other text; returns
    // the last block taken.
    uint32_t ReadSkip(const char* text, const CStrRegexHitList& blocks, uint32_t first, uint32_t& line);
    // Inserts the default definition (when none was seen) and the function
    // blocks missing from the arrangement at the end of the data.
    void PlaceBeforeEnd(bool defineSeen);
    void ParseUse(Cusestruct& use, CElementLines& lines, uint32_t line);
    // A use, need or get line: one entry of the "ung" list and its comment.
    void ReadUngLine(CStrArray_base<64>& list, CStrArray_base<64>& comments, const CFieldLine& field);
    void ReadArgselect(Cusestruct& use, const CFieldLine& field, uint32_t number);
    void ReadFunctionBlock(const char* block, uint32_t line);
    // Appends other text to the arrangement, joined to an other text that
    // stands last.
    void AppendOtherText(const char* text, int32_t length);
    // A new other-text element (not yet arranged) with the first `length`
    // bytes of `text` (all of it when negative).
    Cotherstruct* NewOtherText(const char* text, int32_t length);

    // A line that is no field line: its comment joins the element's free
    // comments behind `indent`; a line with text is reported.
    void ReadNonFieldLine(CMerxFieldElement& element, const CFieldLine& field, const char* indent,
                          const char* cannotParse, uint32_t number);
    void Message(const char* format, ...);

    CMerxDocument& m_doc;
    CElementKeyMaps m_keys; // built from the document's key lists by each public entry
    std::string m_ungEntry; // a use, need or get entry being put together, its buffer kept from line to line
};
