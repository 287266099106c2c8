#include "document/project_info.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"
#include "settings/settings_store.h"

namespace {

// "%d" as the C library reads it: leading white space, a sign and digits,
// anything after them ignored; `fallback` when no digit comes. Numbers out
// of range saturate.
int32_t ReadDecimal(const CSettingsStore& tree, const char* key, int32_t fallback)
{
    const CSettingsStore::Value* value = tree.GetValue(key);
    if (!value)
        return fallback;
    const char* text = value->GetBuffer();
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    if (end == text)
        return fallback;
    if (number < INT32_MIN)
        return INT32_MIN;
    if (number > INT32_MAX)
        return INT32_MAX;
    return static_cast<int32_t>(number);
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
    info.pageId = ReadDecimal(tree, "/###PageID", 0);
    if (info.pageId < 0 || info.pageId >= kProjectPageCount)
        info.pageId = 0;
    info.itemId = ReadDecimal(tree, "/###ItemID", -1);
    info.itemExId = ReadDecimal(tree, "/###ItemExID", -1);
    info.useExId = ReadDecimal(tree, "/###UseExID", -1);
    info.eventId = ReadDecimal(tree, "/###EventID", -1);
    info.funcId = ReadDecimal(tree, "/###FuncID", -1);
    info.setId = ReadDecimal(tree, "/###SetID", -1);
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
