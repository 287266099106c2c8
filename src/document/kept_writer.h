// Writing the document as a save writes it: what did not change as it was
// read, byte for byte, and only the lines that changed in the writer's
// layout.
//
// An item or event whose content is the same as what its kept text reads
// as (element_compare.h) is written as that text, wherever it now stands.
// One that changed keeps every kept line whose content did not change
// (line_merge.h); when that text would not read back as the element, the
// element is written in the writer's layout (data_writer.h) instead. A
// function element is written as the blocks it was read from while its
// text is what they hold and they can stand where they stood in the
// arrangement, each in its place; otherwise whole at its first place,
// under the first block's keyword line. Other texts and the definition
// hold their text as it stood. Elements without kept text (made after the
// reading) are written in the writer's layout.
//
// A text kept for an element reads as that element where it stood; in a
// new place its neighbours may move where the reader cuts the text (an
// unfinished line of blanks, blank lines that join a section header). So
// the whole text is looked at before it is given out (kept_check.h): an
// item or event that would not read back where it stands is written in
// the writer's layout, and the text made again. Should that not settle it
// in three attempts, the whole document is given in the writer's layout.
//
// Line ends: the whole document comes with "\n" (what the save hands to the
// file writer, which writes CR LF); one element with "\r\n", as the other
// writers give it.
#pragma once

#include <memory>

#include "document/merx_document.h"
#include "document/writer_text.h"

class CKeptWriter {
public:
    // The document must not change while the writer is used.
    explicit CKeptWriter(const CMerxDocument& doc);
    ~CKeptWriter();
    CKeptWriter(const CKeptWriter&) = delete;
    CKeptWriter& operator=(const CKeptWriter&) = delete;

    // Every element of `setdata`, in order, "\n" line ends; the last line
    // ends in a line feed.
    CWriterText WriteDocument() const;
    // The text the save writes for `element` at its place ("\r\n" line
    // ends): what the arrangement page and the find window show of it.
    CWriterText WriteElement(const CMERX_base& element) const;

private:
    class CWork;
    CWork& Work() const;

    const CMerxDocument& m_doc;
    mutable std::unique_ptr<CWork> m_work; // made on first use, kept for the next element
};
