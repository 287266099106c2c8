#include "document/other_text_place.h"

#include <string>
#include <vector>

#include "document/data_writer.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"

namespace {

// The element at `at` of the arrangement as the check reads it.
const CMERX_base& ElementAt(const CMerxDocument& doc, uint32_t at, const CStandInOf& standIn)
{
    const CMERX_base& element = *doc.setdata[at];
    const CMERX_base* copy = standIn ? standIn(element) : nullptr;
    return copy ? *copy : element;
}

// Elements as the file holds them: kind and written text, in file order.
// What writes nothing is left out, and other texts side by side are one,
// as the reader makes them.
struct CWrittenElement {
    uint8_t kind = 0;
    std::string text;
    bool operator==(const CWrittenElement&) const = default;
};

void AddWritten(std::vector<CWrittenElement>& file, uint8_t kind, const CWriterText& text)
{
    if (text.IsEmpty())
        return;
    if (kind == CMERX_TYPE_OTHER && !file.empty() && file.back().kind == CMERX_TYPE_OTHER) {
        file.back().text.append(text.GetBuffer(), text.GetLength());
        return;
    }
    file.push_back({kind, std::string(text.GetBuffer(), text.GetLength())});
}

// The nearest position from `at` on, stepping by `step`, whose element
// writes something, with its text; false when there is none.
bool WrittenNeighbour(const CMerxDocument& doc, int64_t at, int64_t step, const CStandInOf& standIn,
                      uint32_t& found, CWriterText& text)
{
    const CMerxWriter writer(doc);
    for (; at >= 0 && at < static_cast<int64_t>(doc.setdata.GetCount()); at += step) {
        text = writer.WriteElement(ElementAt(doc, static_cast<uint32_t>(at), standIn));
        if (!text.IsEmpty()) {
            found = static_cast<uint32_t>(at);
            return true;
        }
    }
    return false;
}

} // namespace

bool StandsApart(const CMerxDocument& doc, uint32_t position, const CStandInOf& standIn)
{
    if (position >= doc.setdata.GetCount())
        return true;
    const CMERX_base& other = ElementAt(doc, position, standIn);
    if (other.GetKind() != CMERX_TYPE_OTHER)
        return true;

    // The piece of the file: the element written before the text, the
    // text, the element written after it.
    std::vector<const CMERX_base*> piece;
    std::vector<CWrittenElement> expected;
    std::vector<CWriterText> texts;
    const auto add = [&](const CMERX_base& element, const CWriterText& written) {
        piece.push_back(&element);
        AddWritten(expected, element.GetKind(), written);
        texts.push_back(written);
    };
    CWriterText written;
    uint32_t before = position, after = position;
    if (WrittenNeighbour(doc, static_cast<int64_t>(position) - 1, -1, standIn, before, written))
        add(ElementAt(doc, before, standIn), written);
    add(other, CMerxWriter(doc).WriteElement(other));
    if (WrittenNeighbour(doc, static_cast<int64_t>(position) + 1, 1, standIn, after, written))
        add(ElementAt(doc, after, standIn), written);

    // A definition that stands before the piece makes a "@@DEFINE" in it
    // other text; the piece is read behind one.
    bool definitionInPiece = false;
    for (const CMERX_base* element : piece)
        definitionInPiece = definitionInPiece || element->GetKind() == CMERX_TYPE_DEFINE;
    const int32_t definition = doc.FindInArrangement(&doc.definedata);
    std::string lines =
        !definitionInPiece && definition >= 0 && static_cast<uint32_t>(definition) < before ? "@@DEFINE\n" : "";
    for (const CWriterText& written : texts)
        lines.append(written.GetBuffer(), written.GetLength());
    CollapseCrLf(lines);

    CMerxDocument again;
    again.RebuildKeyLists(doc.IsBeta(), doc.IsIncludeAsElement());
    for (const CMerxString& key : doc.itemextkeys)
        again.AddItemExtensionKey(key.GetBuffer());
    for (const CMerxString& key : doc.usefieldextkeys)
        again.AddUseExtensionKey(key.GetBuffer(), false);
    for (const CMerxString& key : doc.uselistextkeys)
        again.AddUseExtensionKey(key.GetBuffer(), true);
    CMerxReader(again).Parse(lines.c_str());

    // The definition the reader puts in when it saw none, or the one read
    // in front of the piece, is no element of the piece.
    const CMerxWriter rewriter(again);
    std::vector<CWrittenElement> reopened;
    for (const CMERX_base* element : again.setdata)
        if (definitionInPiece || element != &again.definedata)
            AddWritten(reopened, element->GetKind(), rewriter.WriteElement(*element));
    return reopened == expected;
}

const char* AbsorbedTextMessage()
{
    return SJ("テキストが@@で始まるキーワードの行（アイテム・イベントの後ろでは空行）で始まらないため、"
              "読み込み直すと前の要素の一部になってしまいます。\n");
}
