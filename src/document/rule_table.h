// Makeitem rules: the rule table and applying a rule.
//
// A rule is a settings tree (settings/settings_store.h) under its key. Two
// rules are built in; every "*.sir" file of the rule folder adds one more,
// keyed by its file name (extension included). A rule names the extension
// fields of items ("/ItemRules/0", "/ItemRules/1", …) and of use entries
// ("/UseRules/0", …); applying it fills one `ItemExParams` list for each and
// rebuilds the key lists of the document.
#pragma once

#include <cstdint>

#include "document/item_ex_fields.h"
#include "document/merx_document.h"
#include "foundation/array_auto.h"
#include "foundation/map_element.h"
#include "foundation/str_base.h"
#include "settings/settings_store.h"

using CRuleTable = CMapElement<CSettingsStore, 32>;

// The code of a type keyword ("CHECK", "EDIT", "LIST_…"), compared exactly;
// 0 for any other text.
uint32_t ItemExTypeCode(const char* keyword);

// The rule applied to the document: its key and name, whether it is a beta
// rule, and its extension fields in section-number order.
struct CAppliedRule {
    CStr_base<64> ruleKey;
    CStr_base<64> ruleName;
    bool beta = false;
    CArrayAuto<ItemExParams> itemRules;
    CArrayAuto<ItemExParams> useRules;
};

// Keys of the two built-in rules (Shift-JIS).
const char* StableRuleKey(); // "標準 安定版(020728)"
const char* BetaRuleKey();   // "標準 ベータ版(040318)"

// The rule folder beside the program: the program folder and
// "/makeitem_rules" (a path text of the system); empty when the program
// folder cannot be found.
CStr_base<64> RuleFolderBesideProgram();

// The key of a rule file: its path text without everything up to the last
// "/" (the extension stays; a "\" is part of the name).
CStr_base<64> RuleKeyOfPath(const char* path);

// Fills `table`: the two built-in rules, then one rule per file of `folder`
// (a path text of the system) whose name ends in ".sir" (in any case), in
// byte order of the names; a file whose name has no path text (characters
// CP932 lacks) cannot be read under any key and is left out. Each file's key gets an emptied
// tree into which the file is read; a file that cannot be read leaves an
// empty tree (or what was read before a line the reader refused). A missing
// or empty folder adds no files. Returns the number of rule files found.
uint32_t LoadRuleTable(CRuleTable& table, const char* folder);

// Reads one row ("/ItemRules/%d" or "/UseRules/%d" section) of a rule into
// `params`. `useRule` reads "Array" too. Raises what the store raises.
void ReadItemExParams(const CRuleSection& row, bool useRule, ItemExParams& params);

// Applies the rule `key` of `table`: fills `applied`, sets the document's
// extension keys and rebuilds its key lists (beta form for a beta rule,
// "@@include" as the include-as-element flag says). False when the key is
// not in the table (nothing changes, `message` stays empty) or when reading
// a row raised (then `message` holds the message for the user).
// `reader` reads each row (ReadItemExParams unless another is given).
using ItemExRowReader = void (*)(const CRuleSection& row, bool useRule, ItemExParams& params);
bool ApplyRule(CRuleTable& table, const char* key, bool includeAsElement, CAppliedRule& applied,
               CMerxDocument& document, CStr_base<64>& message, ItemExRowReader reader = ReadItemExParams);
