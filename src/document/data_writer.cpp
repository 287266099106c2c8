#include "document/data_writer.h"

#include "document/function_keywords.h"

CWriterText CMerxWriter::WriteDocument() const
{
    CWriterText out;
    for (uint32_t i = 0; i < m_doc.setdata.GetCount(); ++i) {
        const CMERX_base* element = m_doc.setdata[i];
        // A function element that stands in the arrangement twice is
        // written at its first place only: written twice, the blocks would
        // merge into one doubled text when the file is read again.
        if (element->GetKind() == CMERX_TYPE_SINGLE && m_doc.FindInArrangement(element) != static_cast<int32_t>(i))
            continue;
        AppendElement(out, *element);
    }
    return out;
}

CWriterText CMerxWriter::WriteElement(const CMERX_base& element) const
{
    CWriterText out;
    AppendElement(out, element);
    return out;
}

void CMerxWriter::AppendElement(CWriterText& out, const CMERX_base& element) const
{
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM:
        AppendItem(out, static_cast<const Citemstruct&>(element));
        break;
    case CMERX_TYPE_EVENT:
        AppendEvent(out, static_cast<const Ceventstruct&>(element));
        break;
    case CMERX_TYPE_SINGLE: {
        const auto& single = static_cast<const Csinglestruct&>(element);
        if (single.text.IsEmpty())
            break;
        out += single.keyword;
        out += "\r\n";
        AppendLinesText(out, single.text);
        break;
    }
    case CMERX_TYPE_OTHER:
        AppendLinesText(out, static_cast<const Cotherstruct&>(element).text);
        break;
    case CMERX_TYPE_DEFINE:
        AppendLinesText(out, static_cast<const Cdefinestruct&>(element).text);
        break;
    default: // use entries are written by their items
        break;
    }
}

CWriterText CMerxWriter::WriteItem(const Citemstruct& item) const
{
    CWriterText out;
    AppendItem(out, item);
    return out;
}

CWriterText CMerxWriter::WriteEvent(const Ceventstruct& event) const
{
    CWriterText out;
    AppendEvent(out, event);
    return out;
}

CWriterText CMerxWriter::WriteFunctionBlocks() const
{
    CWriterText out;
    for (const char* keyword : g_aszMerxFunctionKeywords) {
        const Csinglestruct* single = m_doc.singledata.Lookup(keyword);
        if (!single || single->text.IsEmpty())
            continue;
        // The block's own last line feed ends its last line; another one
        // would come back as one more empty line on every direct edit.
        const uint32_t length = single->text.GetLength();
        const bool endsInLineFeed = single->text[length - 1] == '\n';
        out += keyword;
        out += "\n";
        out.Append(single->text.GetBuffer(), static_cast<int32_t>(endsInLineFeed ? length - 1 : length));
        out += "\n";
    }
    return out;
}
