// Writing the document back as data text, in the layout of the item data
// file: blocks in arrangement order, one tab of indentation for item and
// event fields, two for use fields, "_local_" blocks for multi-line
// scripts, CRLF line ends.
//
// Fields come in the order of the document's key lists, the fields and
// lists outside them (extension fields) behind, in map order; empty fields
// are left out; comment-only lines stand at the top of their element.
#pragma once

#include "document/merx_document.h"
#include "document/writer_text.h"

class CMerxWriter {
public:
    explicit CMerxWriter(const CMerxDocument& doc) : m_doc(doc) {}

    // Every element of `setdata`, in order.
    CWriterText WriteDocument() const;
    // One element as the document's text holds it (nothing for a use entry
    // or a function block without text).
    CWriterText WriteElement(const CMERX_base& element) const;
    // One item with its use entries.
    CWriterText WriteItem(const Citemstruct& item) const;
    CWriterText WriteEvent(const Ceventstruct& event) const;
    // The function blocks that hold text, in keyword order, as their
    // keyword line and text with "\n" line ends: the text the function
    // page's direct edit shows and reads back.
    CWriterText WriteFunctionBlocks() const;

private:
    void AppendElement(CWriterText& out, const CMERX_base& element) const;
    void AppendItem(CWriterText& out, const Citemstruct& item) const;
    void AppendUse(CWriterText& out, const Cusestruct& use) const;
    void AppendEvent(CWriterText& out, const Ceventstruct& event) const;

    const CMerxDocument& m_doc;
};
