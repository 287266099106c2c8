#include "document/local_block.h"

#include "document/line_scan.h"
#include "pattern/str_regex.h"

namespace {

bool IsClosingLine(CLineText line)
{
    return IsLocalClosingLine(line.text, line.length);
}

// Leading blanks and tabs of `line`.
uint32_t Indentation(const CMerxString& line)
{
    uint32_t n = 0;
    while (line[n] == ' ' || line[n] == '\t')
        ++n;
    return n;
}

} // namespace

void ReadLocalBlock(CElementLines& lines, LocalBlockOwner owner, CMerxString& value)
{
    CStrArray_base<64> block;
    for (; !lines.AtEnd(); lines.Next()) {
        if (IsClosingLine(lines.Current())) {
            lines.Next();
            break;
        }
        CMerxString* line = block.Add();
        const CLineText current = lines.Current();
        line->Assign(current.text, static_cast<int32_t>(current.length));
        // An event's lines lose up to two blanks or tabs. A carriage return
        // in front of the text is the text's own: dropped, it could leave a
        // line that reads as a keyword once written again.
        if (owner == LocalBlockOwner::Event)
            line->Regex("%/0,2w", "s", nullptr, "");
    }

    // The common indentation of the lines that hold more than white space.
    bool anyText = false;
    uint32_t indentation = 0;
    for (const CMerxString& line : block) {
        const uint32_t n = Indentation(line);
        if (n < line.GetLength() && (!anyText || n < indentation)) {
            indentation = n;
            anyText = true;
        }
    }

    for (uint32_t i = 0; i < block.GetCount(); ++i) {
        if (i)
            value += "\r\n";
        // Lines of white space alone would otherwise gain an indentation
        // level at every save.
        if (anyText)
            value += block[i];
    }

    if (anyText && indentation > 0) {
        CMerxString pattern;
        pattern.Format("\n%%%dw", static_cast<int>(indentation));
        value.Regex(pattern, "g", nullptr, "\n");
        if (owner == LocalBlockOwner::Item) {
            pattern.Format("%%^%%%dw", static_cast<int>(indentation));
            value.Regex(pattern, "s", nullptr, "");
        }
    }
}

void SkipLocalBlock(CElementLines& lines)
{
    for (; !lines.AtEnd(); lines.Next()) {
        if (IsClosingLine(lines.Current())) {
            lines.Next();
            return;
        }
    }
}

bool OpensEventLocalBlock(const CMerxString& value)
{
    return StrRegex(value, "_local_%/0W%[%$%((%+0j)%$%)%]", "s") > 0;
}
