// The rule table and applying a rule.
#include "document/rule_table.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/ascii_case.h"
#include "foundation/native_path.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis.h"
#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"

namespace {

struct TypeKeyword {
    const char* keyword;
    uint32_t code;
};

constexpr TypeKeyword kTypeKeywords[] = {
    {"CHECK", ITEMEX_TYPE_CHECK},
    {"EDIT", ITEMEX_TYPE_EDIT},
    {"LIST_ITEMNAME", ITEMEX_TYPE_LIST_ITEMNAME},
    {"LIST_ITEMCODE", ITEMEX_TYPE_LIST_ITEMCODE},
    {"LIST_ITEMNO", ITEMEX_TYPE_LIST_ITEMNO},
    {"LIST_ITEMTYPE", ITEMEX_TYPE_LIST_ITEMTYPE},
    {"LIST_JOB", ITEMEX_TYPE_LIST_JOB},
    {"LIST_EVENTCODE", ITEMEX_TYPE_LIST_EVENTCODE},
    {"LIST_USER", ITEMEX_TYPE_LIST_USER},
};

// ASCII letters to lower case; double-byte characters are stepped over whole.
void LowerAscii(CStr_base<64>& text)
{
    std::string bytes(text.GetBuffer(), text.GetLength());
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = SjisCharLength(bytes.c_str() + i);
        if (length == 1)
            bytes[i] = AsciiLower(bytes[i]);
        i += length;
    }
    text.Assign(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// The value of `key` in `row`, or "" when it is missing.
const char* RowValue(const CRuleSection& row, const char* key)
{
    const CStr_base<64>* value = row.values.Lookup(key);
    return value ? value->GetBuffer() : "";
}

bool EndsWithSir(const std::string& name)
{
    if (name.size() < 4)
        return false;
    const char* tail = name.c_str() + name.size() - 4;
    static constexpr char kExt[] = ".sir";
    for (int i = 0; i < 4; ++i) {
        if (AsciiLower(tail[i]) != kExt[i])
            return false;
    }
    return true;
}

// Reads the rows "/<group>/0", "/<group>/1", … of `tree` into `list` until a
// number is missing; rows with an empty name are skipped. `lastName` follows
// the "Name" of the row being read.
void ReadRows(CSettingsStore& tree, const char* group, bool useRule, CArrayAuto<ItemExParams>& list,
              CMerxDocument& document, CStr_base<64>& lastName, ItemExRowReader reader)
{
    const CRuleSection* root = tree.GetRoot();
    CRuleSection* const* groupSection = root->sections.Lookup(group);
    if (!groupSection)
        return;
    CStr_base<64> number;
    for (uint32_t n = 0;; ++n) {
        number.Format("%d", static_cast<int>(n));
        CRuleSection* const* row = (*groupSection)->sections.Lookup(number);
        if (!row)
            return;
        lastName.Assign(RowValue(**row, "Name"));
        ItemExParams params;
        reader(**row, useRule, params);
        if (params.name.IsEmpty())
            continue;
        ItemExParams* added = list.Add();
        *added = params;
        if (useRule)
            document.AddUseExtensionKey(params.name, params.array);
        else
            document.AddItemExtensionKey(params.name);
    }
}

} // namespace

uint32_t ItemExTypeCode(const char* keyword)
{
    for (const TypeKeyword& entry : kTypeKeywords)
        if (std::strcmp(entry.keyword, keyword) == 0)
            return entry.code;
    return ITEMEX_TYPE_NONE;
}

const char* StableRuleKey() { return SJ("標準 安定版(020728)"); }
const char* BetaRuleKey() { return SJ("標準 ベータ版(040318)"); }

CStr_base<64> RuleFolderBesideProgram()
{
    CStr_base<64> folder = PathTextFromNative(ProgramFolder());
    if (!folder.IsEmpty())
        folder += "/makeitem_rules";
    return folder;
}

CStr_base<64> RuleKeyOfPath(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return CStr_base<64>(slash ? slash + 1 : path);
}

uint32_t LoadRuleTable(CRuleTable& table, const char* folder)
{
    struct BuiltIn {
        const char* key;
        const char* beta;
    };
    const BuiltIn builtIns[] = {{StableRuleKey(), "false"}, {BetaRuleKey(), "true"}};
    for (const BuiltIn& rule : builtIns) {
        CSettingsStore* tree = table.GetOrInsert(rule.key);
        tree->Clear();
        tree->GetValueForWrite(kRuleNameKey)->Assign(rule.key);
        tree->GetValueForWrite(kBetaEnableKey)->Assign(rule.beta);
    }

    std::vector<std::string> names;
    std::error_code error;
    if (!folder || !*folder)
        return 0;
    for (std::filesystem::directory_iterator it(NativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        std::u32string unfit;
        const std::optional<CStr_base<64>> name = ExactPathText(it->path().filename().string(), unfit);
        if (name && EndsWithSir(name->GetBuffer()))
            names.emplace_back(name->GetBuffer());
    }
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        CStr_base<64> path(folder);
        path += "/";
        path += name.c_str();
        const CStr_base<64> key = RuleKeyOfPath(path);
        CSettingsStore* tree = table.GetOrInsert(key);
        tree->Clear();
        tree->Load(path, true);
    }
    return static_cast<uint32_t>(names.size());
}

void ReadItemExParams(const CRuleSection& row, bool useRule, ItemExParams& params)
{
    params = ItemExParams();
    params.name.Assign(RowValue(row, "Name"));
    LowerAscii(params.name);
    CStr_base<64> key;
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        key.Format("Type%d", static_cast<int>(slot + 1));
        uint32_t type = ItemExTypeCode(RowValue(row, key));
        // Flags come only from the first slot.
        if (type == ITEMEX_TYPE_CHECK && slot != 0)
            type = ITEMEX_TYPE_NONE;
        params.type[slot] = type;
        key.Format("Info%d", static_cast<int>(slot + 1));
        params.info[slot].Assign(RowValue(row, key));
        key.Format("UserList%d", static_cast<int>(slot + 1));
        CRuleSection* const* list = row.sections.Lookup(key);
        params.userList[slot] = list ? *list : nullptr;
    }
    for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
        key.Format("CheckInfo%d", static_cast<int>(i));
        params.checkInfo[i].Assign(RowValue(row, key));
        key.Format("CheckKey%d", static_cast<int>(i));
        params.checkKey[i].Assign(RowValue(row, key));
    }
    params.array = useRule && std::strcmp(RowValue(row, "Array"), "true") == 0;
    params.separator.Assign(RowValue(row, "Separator"));
    params.regexSep = std::strcmp(RowValue(row, "RegexSep"), "true") == 0;
    params.sepRegexPattern.Assign(RowValue(row, "SepRegexPattern"));
    const CStr_base<64>* options = row.values.Lookup("RegexOpt");
    params.regexOpt.Assign(options ? options->GetBuffer() : "g");
}

bool ApplyRule(CRuleTable& table, const char* key, bool includeAsElement, CAppliedRule& applied,
               CMerxDocument& document, CStr_base<64>& message, ItemExRowReader reader)
{
    message.Release();
    CSettingsStore* tree = table.Lookup(key);
    if (!tree)
        return false;
    applied.ruleKey.Assign(key);
    const CStr_base<64>* name = tree->GetValue(kRuleNameKey);
    applied.ruleName.Assign(name ? name->GetBuffer() : "");
    const CStr_base<64>* beta = tree->GetValue(kBetaEnableKey);
    applied.beta = beta && *beta == "true";
    applied.itemRules.RemoveAll();
    applied.useRules.RemoveAll();
    document.ClearExtensionKeys();

    CStr_base<64> rowName;
    try {
        ReadRows(*tree, "ItemRules", false, applied.itemRules, document, rowName, reader);
        ReadRows(*tree, "UseRules", true, applied.useRules, document, rowName, reader);
    } catch (...) {
        // Running out of memory is no fault of the rule file.
        if (IsOutOfMemory())
            throw;
        message.Format(SJ("ルールファイルの解析中にエラーが発生しました。\n\"%s\"の解析に失敗しました。"),
                       rowName.GetBuffer());
        return false;
    }
    document.RebuildKeyLists(applied.beta, includeAsElement);
    return true;
}
