#include "editing/function_blocks.h"

#include <cstring>
#include <vector>

#include "document/backslash_completion.h"
#include "document/change_recorder.h"
#include "document/block_split.h"
#include "document/writer_text.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

uint32_t CountLineFeeds(const char* text, uint32_t length)
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < length; ++i)
        count += text[i] == '\n';
    return count;
}

int32_t KeywordIndex(const char* keyword)
{
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        if (std::strcmp(keyword, g_aszMerxFunctionKeywords[i]) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

bool SavedAlike(const char* a, const char* b)
{
    CWriterText first, second;
    AppendLinesText(first, a);
    AppendLinesText(second, b);
    return first == second;
}

} // namespace

bool ReadFunctionBlocks(const char* text, bool includeAsElement, CFunctionTexts& texts, CStr_base<1024>& errors)
{
    for (CMerxBlockText& one : texts.text)
        one.Release();
    CStrRegexHitList blocks;
    SplitDataBlocks(text, includeAsElement, blocks);
    bool read = true;
    uint32_t line = 1;
    CMerxBlockText block;
    CStr_base<1024> message;
    for (uint32_t i = 0; i < blocks.GetCount(); ++i) {
        block.Assign(text + blocks[i].offset, static_cast<int32_t>(blocks[i].length));
        const int32_t lineFeed = block.Find("\n");
        if (BlockKindOf(block.GetBuffer()) != CBlockKind::Function) {
            CMerxBlockText first;
            first.Assign(block.GetBuffer(), lineFeed);
            message.Format(SJ("[%d]：\"%s\" この項目をここで使うことはできません。\n"), line, first.GetBuffer());
            errors += message;
            read = false;
        } else {
            CStrRegexMatchStruct captures;
            StrRegex(block.GetBuffer(), "%/0w%{%/k%}", "s", &captures);
            const char* keyword = captures.GetCount() ? captures[0].GetBuffer() : "";
            const int32_t index = KeywordIndex(keyword);
            if (index < 0) {
                message.Format(SJ("[%d]：\"%s\"を認識できません。\n"), line, keyword);
                errors += message;
                read = false;
            } else if (lineFeed >= 0) {
                texts.text[index].Append(block.GetBuffer() + lineFeed + 1);
            }
        }
        line += CountLineFeeds(block.GetBuffer(), block.GetLength());
    }
    return read;
}

CEditCommandPtr StoreFunctionBlocks(CMerxDocument& doc, CFunctionTexts& texts, int32_t escapeMode,
                                    CYesNoQuestion& question)
{
    std::vector<CMerxBlockText*> edited;
    std::vector<Csinglestruct*> blocks;
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i) {
        Csinglestruct* block = doc.FindFunction(g_aszMerxFunctionKeywords[i]);
        if (block && !SavedAlike(block->text.GetBuffer(), texts.text[i].GetBuffer())) {
            edited.push_back(&texts.text[i]);
            blocks.push_back(block);
        }
    }
    CompleteBackslashesIn(edited, escapeMode, question);
    CChangeRecorder changes;
    for (size_t i = 0; i < edited.size(); ++i) {
        changes.Touch(doc, *blocks[i]);
        blocks[i]->text.Assign(*edited[i]);
    }
    return changes.Finish(doc);
}
