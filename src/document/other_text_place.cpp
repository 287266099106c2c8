#include "document/other_text_place.h"

#include <string>

#include "document/data_writer.h"
#include "document/merx_reader.h"
#include "foundation/text_file.h"
#include "foundation/sjis_literal.h"

bool StandsApart(const CMerxDocument& doc, uint32_t position)
{
    if (position >= doc.setdata.GetCount() || doc.setdata[position]->GetKind() != CMERX_TYPE_OTHER)
        return true;
    const CMERX_base& other = *doc.setdata[position];
    // The element written right before it: elements that write nothing
    // (function blocks without text) leave no trace in the file.
    const CMerxWriter writer(doc);
    CWriterText text;
    for (uint32_t at = position; at-- > 0 && text.IsEmpty();) {
        if (doc.setdata[at]->GetKind() == CMERX_TYPE_OTHER)
            return true;
        text = writer.WriteElement(*doc.setdata[at]);
    }
    if (text.IsEmpty())
        return true;
    const CWriterText written = writer.WriteElement(other);
    text += written.GetBuffer();
    CMerxDocument again;
    again.RebuildKeyLists(doc.IsBeta(), doc.IsIncludeAsElement());
    for (const CMerxString& key : doc.itemextkeys)
        again.AddItemExtensionKey(key.GetBuffer());
    for (const CMerxString& key : doc.usefieldextkeys)
        again.AddUseExtensionKey(key.GetBuffer(), false);
    for (const CMerxString& key : doc.uselistextkeys)
        again.AddUseExtensionKey(key.GetBuffer(), true);
    std::string lines(text.GetBuffer(), text.GetLength());
    CollapseCrLf(lines);
    CMerxReader(again).Parse(lines.c_str());
    for (const Cotherstruct& read : again.otherdata)
        if (CMerxWriter(again).WriteElement(read) == written.GetBuffer())
            return true;
    return false;
}

const char* AbsorbedTextMessage()
{
    return SJ("テキストが@@で始まるキーワードの行で始まらないため、読み込み直すと前の要素の一部になってしまいます。\n");
}
