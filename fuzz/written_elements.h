// A document as the file holds it, element by element: what the fuzz
// targets compare when a document is written and read back.
#pragma once

#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/merx_document.h"

// Every arranged element as its kind letter ("?IUEFOD"[kind]) and the text
// the writer makes of it, as the file holds them: elements that write
// nothing (function blocks without text) leave no trace, and other texts
// side by side are one, as the reader makes them. Two documents with the
// same list hold the same elements in the same places, each with what the
// file keeps of it.
inline std::vector<std::string> WrittenElements(const CMerxDocument& doc)
{
    std::vector<std::string> elements;
    const CMerxWriter writer(doc);
    for (CMERX_base* const& element : doc.setdata) {
        const CWriterText text = writer.WriteElement(*element);
        if (text.IsEmpty())
            continue;
        const char kind = "?IUEFOD"[element->GetKind()];
        if (kind == 'O' && !elements.empty() && elements.back()[0] == 'O')
            elements.back().append(text.GetBuffer(), text.GetLength());
        else
            elements.push_back(kind + std::string(text.GetBuffer(), text.GetLength()));
    }
    return elements;
}

// The data text as it comes back from a file written with CRLF line ends.
inline std::string FromFile(const CWriterText& written)
{
    std::string text;
    const char* p = written.GetBuffer();
    for (uint32_t i = 0; i < written.GetLength(); ++i) {
        if (p[i] == '\r' && p[i + 1] == '\n')
            continue;
        text += p[i];
    }
    return text;
}
