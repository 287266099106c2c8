// libFuzzer target for makeitem rule files and the text of extension fields.
//
// Input: the bytes of one rule file as it lies in the rule folder. A file
// that holds a zero byte is refused by the loader (its rule stays empty), so
// such inputs are skipped. Each input is
//   1. read as the rule table reads a "*.sir" file (CR LF to LF, the key's
//      tree emptied, the text loaded into it) beside the two built-in rules;
//   2. applied to an empty document, which then reads a small fixed data
//      text (items with use entries and extension fields, events, types and
//      jobs);
//   3. for every extension field of the applied rule, a set of field texts
//      is split into pieces, slots and flags and joined back, as the
//      extension-field dialog shows and stores a field. The texts are a few
//      fixed ones, the field's texts in the document, every value of the
//      rule file, and texts built from the field's separator, flag keys and
//      user-list values.
// Besides crashes, sanitizer reports and exceptions, the target checks:
//   - a failed apply leaves a message; an applied rule holds named, lower-case
//     rows, the document's extension keys in the same order, "CHECK" only in
//     the first slot and "Array" only on use rules;
//   - after reading, every item and use entry holds a field (or, for an
//     "Array" use rule, a list) for every rule of its kind;
//   - there are always at least three pieces; with the literal separator the
//     pieces joined with it give back the text (plus the separators of the
//     missing pieces) and no piece holds the separator; with a pattern the
//     pieces stand in the text in order; the slots take the pieces in order;
//   - a joined text is empty exactly when every value is empty;
//   - splitting a joined text gives back the values (and joining them the
//     same text) where the format can keep them: a literal, non-empty
//     separator that no value holds and that cannot overlap itself, and no
//     value or separator ending in a lead byte without its second byte; the
//     same for the flags of a "CHECK" field;
//   - the choices of a list slot begin with the empty entry, hold one entry
//     per source element (user lists sorted by key), and the choice found
//     for a piece is the first that stores it, else the empty entry.
// A failed check prints the input as a C string literal and aborts.
//
// Split patterns come from the input. The pattern language has no step
// limit, and its repetition counts multiply (each capture owns a 16 KB
// buffer), so patterns with a digit run longer than three characters, or
// whose numbers multiply to more than 100, are not run, as in the pattern
// engine's own target.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "pattern_cost.h"
#include "document/data_writer.h"
#include "document/item_ex_fields.h"
#include "document/merx_document.h"
#include "document/merx_reader.h"
#include "document/rule_table.h"
#include "foundation/ascii_case.h"
#include "foundation/sjis.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"
#include "pattern/editor_matchers.h"

namespace {

using Slots = CStr_base<64>[kItemExSlotCount];
using Flags = bool[kItemExFlagCount];

constexpr size_t kMaxRuleTexts = 24; // values of the rule file used as field texts

std::string g_ruleKey;

// A small project under any rule: the field names of the sample rules, a
// character whose second byte is 0x5C, an empty and a missing field.
const char* SampleData()
{
    return SJ("@@DEFINE\n"
              "type1\t食料品\n"
              "type2\t素材\n"
              "job\tfarmer\t農家\n"
              "job\tsmith\t鍛冶屋\n"
              "@@ITEM\n"
              "\tno\t1\n"
              "\ttype\t食料品\n"
              "\tcode\tapple\n"
              "\tname\tりんご\n"
              "\tgrade\tnovice|local|fresh\n"
              "\tseason\tautumn:ev_harvest\n"
              "\tmaker\tfarmer,食料品,北の村 , 表\n"
              "\trank\tA\n"
              "\tshelf\tfront|cool|front\n"
              "\t@@USE\n"
              "\t\tname\t収穫する\n"
              "\t\teventneed\tev_harvest\n"
              "\t\treward\tりんご,2,often\n"
              "\t\treward\t小麦粉,1,rare\n"
              "\t\ttoolref\t2/flour\n"
              "\t\tplace\tkitchen,表\n"
              "\t\ttool\t2 , 10\n"
              "@@ITEM\n"
              "\tno\t2\n"
              "\tcode\tflour\n"
              "\tname\t小麦粉\n"
              "\tgrade\texpert|danger|limited|hidden|gift|\n"
              "\tseason\t\n"
              "\t@@USE\n"
              "\t\tname\t挽く\n"
              "\t\treward\t,,\n"
              "@@EVENT\n"
              "\tcode\tev_harvest\n"
              "@@EVENT\n"
              "\tcode\tev_rain\n");
}

// Field texts every field is tried with.
std::vector<std::string> FixedTexts()
{
    return {"", "a", "a,,b", "a,b,c,d", "x|y|z", "novice|expert|gift", ",", "||", "1/2/3", "spring:ev_rain",
            "farmer , smith", "%", "\\", "\x81", "a\x81", SJ("春,夏、秋"), SJ("表,表"), SJ("りんご:2")};
}

// Whether the last character of `text` is a lead byte without its second
// byte: appending to such a text joins its last byte to what follows.
bool EndsInLoneLead(const char* text)
{
    size_t last = 1;
    const char* p = text;
    for (; *p; p += last)
        last = SjisCharLength(p);
    return p != text && last == 1 && IsSjisLeadByte(static_cast<unsigned char>(p[-1]));
}

bool Holds(const char* text, const char* separator)
{
    return SjisFind(text, static_cast<uint32_t>(std::strlen(text)), separator, 0) >= 0;
}

// A separator the splitting can always find again between values: not
// empty, not ending in a lone lead byte, and no proper prefix of it is also
// its suffix (else an occurrence could begin inside a value).
bool IsCleanSeparator(const CStr_base<64>& separator)
{
    const uint32_t length = separator.GetLength();
    if (length == 0 || EndsInLoneLead(separator))
        return false;
    for (uint32_t k = 1; k < length; ++k)
        if (std::memcmp(separator.GetBuffer(), separator.GetBuffer() + length - k, k) == 0)
            return false;
    return true;
}

// A value that a clean separator keeps apart from its neighbours.
bool IsKeepableValue(const CStr_base<64>& value, const CStr_base<64>& separator)
{
    return !EndsInLoneLead(value) && !Holds(value, separator);
}

bool IsLowerCase(const char* name)
{
    for (const char* p = name; *p; p += SjisCharLength(p))
        if (SjisCharLength(p) == 1 && IsAsciiUpper(*p))
            return false;
    return true;
}

bool RunsPattern(const ItemExParams& params)
{
    return params.regexSep && !TooCostly(params.sepRegexPattern.GetBuffer());
}

void CheckPieces(const ItemExParams& params, const char* text)
{
    CStrArray_base<64> pieces;
    SplitItemExText(params, text, pieces);
    const uint32_t count = pieces.GetCount();
    Expect(count >= kItemExSlotCount, "fewer than three pieces");

    const std::string whole(text);
    if (params.regexSep) {
        size_t at = 0;
        for (uint32_t i = 0; i < count; ++i) {
            const size_t found = whole.find(pieces[i].GetBuffer(), at);
            Expect(found != std::string::npos, "a piece split by the pattern is not in the text in order");
            Expect(i > 0 || found == 0, "the first piece split by the pattern is no prefix");
            at = found + pieces[i].GetLength();
        }
        if (params.sepRegexPattern.IsEmpty())
            Expect(pieces[0] == text, "an empty pattern cut the text");
        return;
    }

    if (params.separator.IsEmpty()) {
        Expect(count == kItemExSlotCount && pieces[0] == text && pieces[1].IsEmpty() && pieces[2].IsEmpty(),
               "an empty separator cut the text");
        return;
    }
    std::string joined;
    for (uint32_t i = 0; i < count; ++i) {
        if (i)
            joined += params.separator.GetBuffer();
        joined += pieces[i].GetBuffer();
        Expect(!Holds(pieces[i], params.separator), "a piece holds the separator");
    }
    Expect(joined.compare(0, whole.size(), whole) == 0, "the pieces joined do not give back the text");
    std::string rest = joined.substr(whole.size());
    uint32_t added = 0;
    for (; !rest.empty(); ++added) {
        Expect(rest.compare(0, params.separator.GetLength(), params.separator.GetBuffer()) == 0,
               "the pieces joined give more than the text");
        rest.erase(0, params.separator.GetLength());
    }
    Expect(added == 0 || (count == kItemExSlotCount && added < kItemExSlotCount),
           "more empty pieces were added than the three need");
}

// Checks the choices of every slot of a field; `stored[slot]` keeps the
// stored texts of a list slot.
void CheckChoices(const ItemExParams& params, const CMerxDocument& doc, CStrArray_base<64> (&stored)[kItemExSlotCount])
{
    CStrArray_base<64> shown;
    for (uint32_t slot = 0; slot <= kItemExSlotCount; ++slot) {
        CStrArray_base<64> keep;
        CStrArray_base<64>& choices = slot < kItemExSlotCount ? stored[slot] : keep;
        ItemExListChoices(params, slot, doc, shown, choices);
        if (slot == kItemExSlotCount || !IsItemExListType(params.type[slot])) {
            Expect(shown.GetCount() == 0 && choices.GetCount() == 0, "a slot that is no list has choices");
            continue;
        }
        Expect(shown.GetCount() == choices.GetCount(), "shown and stored choices differ in number");
        Expect(shown.GetCount() >= 1 && shown[0].IsEmpty() && choices[0].IsEmpty(),
               "a list does not begin with the empty entry");
        uint32_t sources = 0;
        switch (params.type[slot]) {
        case ITEMEX_TYPE_LIST_ITEMNAME:
        case ITEMEX_TYPE_LIST_ITEMCODE:
        case ITEMEX_TYPE_LIST_ITEMNO:
            sources = doc.itemdata.GetCount();
            break;
        case ITEMEX_TYPE_LIST_ITEMTYPE:
            sources = doc.definedata.types.GetCount();
            break;
        case ITEMEX_TYPE_LIST_JOB:
            sources = doc.definedata.jobs.GetCount();
            break;
        case ITEMEX_TYPE_LIST_EVENTCODE:
            sources = doc.eventdata.GetCount();
            break;
        case ITEMEX_TYPE_LIST_USER:
            sources = params.userList[slot] ? params.userList[slot]->values.GetCount() : 0;
            for (uint32_t i = 2; i < shown.GetCount(); ++i)
                Expect(std::strcmp(shown[i - 1], shown[i]) < 0, "a user list is not sorted by key");
            break;
        default:
            Fail("a list slot of no known source");
        }
        Expect(shown.GetCount() == sources + 1, "a list does not hold one choice per source");
    }
}

// The values the dialog takes from the pieces: a list slot keeps the stored
// text of the choice found for its piece.
void ChooseValues(const ItemExParams& params, const CStrArray_base<64> (&stored)[kItemExSlotCount], Slots& values)
{
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        if (!IsItemExListType(params.type[slot]))
            continue;
        const CStrArray_base<64>& choices = stored[slot];
        const uint32_t index = FindItemExChoice(choices, values[slot]);
        Expect(index < choices.GetCount(), "a choice out of the list");
        for (uint32_t i = 1; i < index; ++i)
            Expect(!(choices[i] == values[slot]), "the choice found is not the first that stores the piece");
        Expect(index == 0 || choices[index] == values[slot], "the choice found does not store the piece");
        values[slot].Assign(choices[index]);
    }
}

void CheckSlots(const ItemExParams& params, const char* text, const CStrArray_base<64> (&stored)[kItemExSlotCount])
{
    CStrArray_base<64> pieces;
    SplitItemExText(params, text, pieces);
    Slots values;
    SplitItemExSlots(params, text, values);
    uint32_t next = 0;
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        if (params.type[slot] == ITEMEX_TYPE_NONE)
            Expect(values[slot].IsEmpty(), "a slot without a type shows a piece");
        else
            Expect(values[slot] == pieces[next++], "the slots do not take the pieces in order");
    }
    ChooseValues(params, stored, values);

    CStr_base<64> joined;
    JoinItemExSlots(params, values, joined);
    bool anyValue = false;
    bool keepable = !params.regexSep && IsCleanSeparator(params.separator);
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
        if (params.type[slot] == ITEMEX_TYPE_NONE)
            continue;
        anyValue = anyValue || !values[slot].IsEmpty();
        keepable = keepable && IsKeepableValue(values[slot], params.separator);
    }
    Expect(joined.IsEmpty() == !anyValue, "a joined text is empty though a value is not, or the reverse");
    if (!keepable)
        return;
    Slots again;
    SplitItemExSlots(params, joined, again);
    for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot)
        Expect(again[slot] == values[slot], "splitting a joined text does not give back its values");
    CStr_base<64> rejoined;
    JoinItemExSlots(params, again, rejoined);
    Expect(rejoined == joined, "joining the values of a joined text changed it");
}

void CheckFlags(const ItemExParams& params, const char* text)
{
    Flags checked;
    SplitItemExFlags(params, text, checked);
    uint32_t set = 0;
    bool keysKept = true;
    for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
        if (!checked[i])
            continue;
        Expect(params.IsFlagUsed(i), "an unused flag is checked");
        ++set;
        keysKept = keysKept && IsKeepableValue(params.checkKey[i], params.separator);
    }
    CStr_base<64> joined;
    JoinItemExFlags(params, checked, joined);
    Expect(joined.IsEmpty() == (set == 0), "a flag text is empty though a flag is set, or the reverse");
    // Without a separator the text is one token: one key at most comes back.
    const bool keepable =
        params.separator.IsEmpty() ? set <= 1 : IsCleanSeparator(params.separator) && keysKept;
    if (!keepable)
        return;
    Flags again;
    SplitItemExFlags(params, joined, again);
    for (uint32_t i = 0; i < kItemExFlagCount; ++i)
        Expect(again[i] == checked[i], "splitting a flag text does not give back its flags");
    CStr_base<64> rejoined;
    JoinItemExFlags(params, again, rejoined);
    Expect(rejoined == joined, "joining the flags of a flag text changed it");
}

// Texts built from the field's own parts.
void AddBuiltTexts(const ItemExParams& params, std::vector<std::string>& texts)
{
    const std::string sep = params.separator.GetBuffer();
    texts.push_back(sep);
    texts.push_back(sep + sep);
    texts.push_back("a" + sep + "b" + sep + "c" + sep + "d");
    std::string keys;
    for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
        if (params.checkKey[i].IsEmpty())
            continue;
        keys += keys.empty() ? "" : sep;
        keys += params.checkKey[i].GetBuffer();
    }
    texts.push_back(keys);
    std::string choices;
    for (const CRuleSection* list : params.userList) {
        if (!list)
            continue;
        for (auto [key, value] : list->values) {
            choices += value.GetBuffer();
            choices += sep;
        }
    }
    texts.push_back(choices);
}

void CheckField(const ItemExParams& params, const CMerxDocument& doc, const std::vector<std::string>& texts)
{
    CStrArray_base<64> stored[kItemExSlotCount];
    CheckChoices(params, doc, stored);
    const bool split = !params.regexSep || RunsPattern(params);
    for (const std::string& text : texts) {
        if (params.IsCheck()) {
            CheckFlags(params, text.c_str());
        } else if (split) {
            CheckPieces(params, text.c_str());
            CheckSlots(params, text.c_str(), stored);
        }
    }
}

void CollectValues(const CRuleSection& section, std::vector<std::string>& texts)
{
    for (auto [key, value] : section.values) {
        if (texts.size() >= kMaxRuleTexts)
            return;
        texts.emplace_back(value.GetBuffer());
    }
    for (auto [name, child] : section.sections)
        CollectValues(*child, texts);
}

void CheckApplied(const CAppliedRule& applied, const CMerxDocument& doc)
{
    Expect(applied.ruleKey == g_ruleKey.c_str(), "the applied rule has another key");
    Expect(applied.itemRules.GetCount() == doc.itemextkeys.GetCount(), "item extension keys differ from the rows");
    Expect(applied.useRules.GetCount() == doc.usefieldextkeys.GetCount() + doc.uselistextkeys.GetCount(),
           "use extension keys differ from the rows");
    uint32_t index = 0;
    for (const ItemExParams& params : applied.itemRules) {
        Expect(!params.array, "an item rule is an array");
        Expect(params.name == doc.itemextkeys[index++], "an item extension key differs from its row");
    }
    uint32_t fields = 0;
    uint32_t lists = 0;
    for (const ItemExParams& params : applied.useRules) {
        const CStr_base<64>& key = params.array ? doc.uselistextkeys[lists++] : doc.usefieldextkeys[fields++];
        Expect(params.name == key, "a use extension key differs from its row");
    }
    for (const CArrayAuto<ItemExParams>* rules : {&applied.itemRules, &applied.useRules}) {
        for (const ItemExParams& params : *rules) {
            Expect(!params.name.IsEmpty() && IsLowerCase(params.name), "a row name is empty or not lower case");
            Expect(params.type[1] != ITEMEX_TYPE_CHECK && params.type[2] != ITEMEX_TYPE_CHECK,
                   "\"CHECK\" in a slot other than the first");
        }
    }
}

void Run(const std::string& disk)
{
    std::string text = disk;
    CollapseCrLf(text);
    CRuleTable table;
    LoadRuleTable(table, ""); // the built-in rules
    CSettingsStore* tree = table.GetOrInsert(g_ruleKey.c_str());
    tree->Clear();
    tree->LoadText(text.c_str());

    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;
    if (!ApplyRule(table, g_ruleKey.c_str(), false, applied, doc, message)) {
        Expect(!message.IsEmpty(), "a rule of the table failed without a message");
        return;
    }
    Expect(message.IsEmpty(), "an applied rule left a message");
    CheckApplied(applied, doc);

    Expect(CMerxReader(doc).Parse(SampleData()), "the reader failed");
    for (const Citemstruct& item : doc.itemdata) {
        for (const ItemExParams& params : applied.itemRules)
            Expect(item.GetField(params.name) != nullptr, "an item lacks an extension field");
        for (const Cusestruct& use : item.uses)
            for (const ItemExParams& params : applied.useRules)
                Expect(params.array ? use.GetList(params.name) != nullptr : use.GetField(params.name) != nullptr,
                       "a use entry lacks an extension field");
    }

    std::vector<std::string> ruleTexts;
    CollectValues(*tree->GetRoot(), ruleTexts);
    for (const CArrayAuto<ItemExParams>* rules : {&applied.itemRules, &applied.useRules}) {
        for (const ItemExParams& params : *rules) {
            std::vector<std::string> texts = FixedTexts();
            texts.insert(texts.end(), ruleTexts.begin(), ruleTexts.end());
            AddBuiltTexts(params, texts);
            for (const Citemstruct& item : doc.itemdata) {
                if (rules == &applied.itemRules) {
                    texts.emplace_back(item.GetField(params.name)->GetBuffer());
                    continue;
                }
                for (const Cusestruct& use : item.uses) {
                    if (!params.array)
                        texts.emplace_back(use.GetField(params.name)->GetBuffer());
                    else
                        for (const CStr_base<64>& line : *use.GetList(params.name))
                            texts.emplace_back(line.GetBuffer());
                }
            }
            CheckField(params, doc, texts);
        }
    }
    // The writer meets the rule's field names too.
    CMerxWriter(doc).WriteDocument();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegisterEditorMatchers();  // as the editor does at start-up
    g_ruleKey = RuleKeyOfPath("/game/makeitem_rules/fuzz.sir").GetBuffer();
    if (g_ruleKey != "fuzz.sir") {
        std::fprintf(stderr, "rule_fuzzer: the key of a rule file is \"%s\"\n", g_ruleKey.c_str());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string disk(reinterpret_cast<const char*>(data), size);
    if (disk.find('\0') != std::string::npos)
        return 0;
    SetFuzzInput("rule_fuzzer", &disk);
    try {
        Run(disk);
    } catch (...) {
        Fail("an exception left the rule table or the field functions");
    }
    SetFuzzInput("rule_fuzzer", nullptr);
    return 0;
}
