#include "document/project_info.h"

#include <cstring>

#include "foundation/decimal_text.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"
#include "settings/settings_store.h"

namespace {

// The number under `key` as "%d" reads it; `fallback` when the key is
// missing or holds no number.
int32_t ReadNumber(const CSettingsStore& tree, const char* key, int32_t fallback)
{
    const CSettingsStore::Value* value = tree.GetValue(key);
    return value ? ReadDecimal32(value->GetBuffer(), fallback) : fallback;
}

void ReadText(const CSettingsStore& tree, const char* key, CStr_base<64>& out)
{
    if (const CSettingsStore::Value* value = tree.GetValue(key))
        out.Assign(*value);
}

void WriteDecimal(CSettingsStore& tree, const char* key, int32_t number)
{
    tree.GetValueForWrite(key)->Format("%d", static_cast<int>(number));
}

} // namespace

void CProjectInfo::ResetPositions()
{
    pageId = 0;
    itemId = itemExId = useExId = eventId = funcId = setId = -1;
}

bool CutProjectInfoBlock(CStr_base<16384>& text, CStr_base<1024>& body, uint32_t* offset)
{
    // The opening lines at the start of a line, then as few body lines as
    // come before the closing line: "###", a key without "=", "=", and the
    // rest of the line. Each piece of a body line matches in one way only,
    // so a body that runs into another line fails there, in time linear in
    // the lines read.
    CStrRegexMatchStruct captures;
    CStrRegexHitList hits;
    const char* pattern = SJ("%g###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\n"
                             "###MERX_PROJECT_INFO_BEGIN\n"
                             "%{%+0(###%/0(%!z=%C%)=%/0C\n%)%e###MERX_PROJECT_INFO_END\n%}");
    if (StrRegex(text, pattern, "", &captures, nullptr, &hits) <= 0 || hits.GetCount() == 0)
        return false;
    body.Assign(captures[0]);
    const CStrRegexHitBufStruct& hit = hits[0];
    if (offset)
        *offset = hit.offset;
    // The text after the block moves down in place: a file's text is large.
    const uint32_t length = text.GetLength();
    char* bytes = text.GetBufferSetLength(length);
    std::memmove(bytes + hit.offset, bytes + hit.offset + hit.length, length - hit.offset - hit.length);
    text.Truncate(length - hit.length);
    return true;
}

CProjectInfo ReadProjectInfoBody(const char* body)
{
    CSettingsStore tree;
    // A refused line ends the reading; what came before it counts.
    tree.LoadText(body);
    CProjectInfo info;
    ReadText(tree, "/###RuleKey", info.ruleKey);
    ReadText(tree, "/###RuleName", info.ruleName);
    ReadText(tree, "/###ProjectName", info.projectName);
    ReadText(tree, "/###IconImagePath", info.iconImagePath);
    info.pageId = ReadNumber(tree, "/###PageID", 0);
    if (info.pageId < 0 || info.pageId >= kProjectPageCount)
        info.pageId = 0;
    info.itemId = ReadNumber(tree, "/###ItemID", -1);
    info.itemExId = ReadNumber(tree, "/###ItemExID", -1);
    info.useExId = ReadNumber(tree, "/###UseExID", -1);
    info.eventId = ReadNumber(tree, "/###EventID", -1);
    info.funcId = ReadNumber(tree, "/###FuncID", -1);
    info.setId = ReadNumber(tree, "/###SetID", -1);
    return info;
}

CStr_base<1024> BuildProjectInfoBlock(const CProjectInfo& info)
{
    CSettingsStore tree;
    tree.GetValueForWrite("/###RuleKey")->Assign(info.ruleKey);
    tree.GetValueForWrite("/###RuleName")->Assign(info.ruleName);
    tree.GetValueForWrite("/###ProjectName")->Assign(info.projectName);
    tree.GetValueForWrite("/###IconImagePath")->Assign(info.iconImagePath);
    WriteDecimal(tree, "/###PageID", info.pageId);
    WriteDecimal(tree, "/###ItemID", info.itemId);
    WriteDecimal(tree, "/###ItemExID", info.itemExId);
    WriteDecimal(tree, "/###UseExID", info.useExId);
    WriteDecimal(tree, "/###EventID", info.eventId);
    WriteDecimal(tree, "/###FuncID", info.funcId);
    WriteDecimal(tree, "/###SetID", info.setId);
    CStr_base<16384> body;
    tree.SaveText(body);
    CStr_base<1024> block;
    block.Format(SJ("###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください\n"
                    "###MERX_PROJECT_INFO_BEGIN\n%s###MERX_PROJECT_INFO_END\n"),
                 body.GetBuffer());
    return block;
}
