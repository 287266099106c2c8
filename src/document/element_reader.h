// Reading the text of one element: an item with its use entries, an event,
// the definition block.
//
// The element is read under the key lists of a document (with the extension
// keys of its rule and its include-as-element flag), but into an element
// the caller gives and with messages into a text the caller gives: a text
// can be read into a fresh element, and the caller moves it into place only
// when the reader had nothing to say. Lines the reader cannot understand
// are left out and reported, one line each with its 1-based line number.
// Texts use "\n" line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/element_key_maps.h"
#include "document/element_lines.h"
#include "document/merx_document.h"

class CElementReader {
public:
    // Elements read as `doc` reads them; the messages are appended to
    // `messages`. The document is left alone.
    CElementReader(const CMerxDocument& doc, CStr_base<1024>& messages) : m_source(doc), m_messages(messages) {}

    // Read one element's text into `item`, `event` or `define`; `line` is
    // the number of lines before it and is advanced past it. False (with a
    // message, and the element untouched) when the text does not begin with
    // the element's keyword.
    bool ParseItem(Citemstruct& item, const char* text, uint32_t& line);
    bool ParseEvent(Ceventstruct& event, const char* text, uint32_t& line);
    bool ParseDefine(Cdefinestruct& define, const char* text, uint32_t& line);

protected:
    // ParseItem and ParseEvent on the first `length` bytes of `text` (no
    // zero byte among them), with the key maps built.
    bool ReadItem(Citemstruct& item, const char* text, uint32_t length, uint32_t& line);
    bool ReadEvent(Ceventstruct& event, const char* text, uint32_t length, uint32_t& line);
    void Message(const char* format, ...);
    // Notes on the element just read where its text, `length` bytes from
    // `text`, stands in the kept text, with the hash of what it holds, when
    // it stands there (CMerxReader reads it).
    bool InKeptText(const char* text, uint32_t length) const;
    void NoteKeptSpan(Citemstruct& item, const char* text, uint32_t length) const;
    void NoteKeptSpan(Ceventstruct& event, const char* text, uint32_t length) const;

    CElementKeyMaps m_keys;
    // The text the elements read stand in, when it is the document's kept
    // text: [m_pKeptText, m_pKeptText + m_nKeptLength).
    const char* m_pKeptText = nullptr;
    uint32_t m_nKeptLength = 0; // built from the source's key lists by each public entry

private:
    // A use entry: the comment of its "@@USE" line `start` (line `number`),
    // and its lines, up to the next "@@USE" line or the end.
    void ParseUse(Cusestruct& use, const CFieldLine& start, uint32_t number, CElementLines& lines, uint32_t line);
    void ReadUseLines(Cusestruct& use, CElementLines& lines, uint32_t line);
    // A use, need or get line: one entry of the "ung" list and its comment;
    // false when the line had words beyond the five kept.
    bool ReadUngLine(CStrArray_base<64>& list, CStrArray_base<64>& comments, const CFieldLine& field);
    void ReadArgselect(Cusestruct& use, const CFieldLine& field, uint32_t number);
    // A line that is no field line: its comment joins the element's free
    // comments behind `indent`; a line with text is reported.
    void ReadNonFieldLine(CMerxFieldElement& element, const CFieldLine& field, const char* indent,
                          const char* cannotParse, uint32_t number);
    // A field given a second time in one element keeps the later value, and
    // the earlier one is reported lost ("@@ITEM", "@@USE" or "@@EVENT" as
    // `kind`); `seen` holds the fields already given in that element.
    void NoteRepeatedField(std::vector<const CMerxString*>& seen, const CMerxString* value, const CFieldLine& field,
                           const char* kind, uint32_t number);

    const CMerxDocument& m_source;
    CStr_base<1024>& m_messages;
    std::string m_ungEntry; // a use, need or get entry being put together, its buffer kept from line to line
    // The fields given so far in the item or event being read, and in its
    // use entry being read; their storage is kept from element to element.
    std::vector<const CMerxString*> m_seenFields;
    std::vector<const CMerxString*> m_seenUseFields;
};
