#include "editing/integrity_check.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "document/function_keywords.h"
#include "editing/item_no_references.h"
#include "foundation/sjis_literal.h"
#include "pattern/regex_types.h"

namespace {

// A field's text; "" when the key is not defined.
const char* Field(const CMerxFieldElement& element, const char* key)
{
    const CMerxString* value = element.GetField(key);
    return value ? value->GetBuffer() : "";
}

// Texts mapped to the position of the first element that had them.
class CFirstPositions {
public:
    explicit CFirstPositions(uint32_t expected) { m_map.reserve(expected); }

    // Remembers `position` for `key` unless an earlier one has the key;
    // returns the position remembered for it.
    uint32_t Remember(const char* key, uint32_t position) { return m_map.try_emplace(key, position).first->second; }
    bool Has(std::string_view key) const { return m_map.find(key) != m_map.end(); }

private:
    std::unordered_map<std::string_view, uint32_t> m_map;
};

class CIntegrityChecker {
public:
    explicit CIntegrityChecker(const CMerxDocument& doc)
        : m_doc(doc), m_nos(doc.itemdata.GetCount()), m_codes(doc.itemdata.GetCount()),
          m_names(doc.itemdata.GetCount()), m_types(doc.definedata.types.GetCount())
    {
    }

    CIntegrityFindings Run()
    {
        RepeatedItemFields();
        ItemTypes();
        RepeatedEventCodes();
        ItemReferences();
        EventReferences();
        FunctionReferences();
        return std::move(m_findings);
    }

private:
    void Add(const CStr_base<1024>& finding)
    {
        m_findings.text.Append(finding);
        ++m_findings.count;
    }

    const char* ItemName(uint32_t i) const { return Field(*m_doc.itemdata.GetAt(i), "name"); }

    // A repeat finding in `format`: the first element with the value and its text, then the later one.
    void AddRepeat(const char* format, uint32_t first, const char* firstText, uint32_t later, const char* laterText)
    {
        CStr_base<1024> finding;
        finding.Format(format, static_cast<int>(first), firstText, static_cast<int>(later), laterText);
        Add(finding);
    }

    // Numbers, codes and names of the items, each map also the look-up of
    // every value the items have.
    void RepeatedItemFields()
    {
        struct Check {
            const char* key;
            CFirstPositions& seen;
            const char* format;
        };
        const Check checks[] = {
            {"no", m_nos, SJ("ITEM[%d]：%s\nITEM[%d]：%s\nINFO[0]：上記2つのアイテムNoが重複しています\n")},
            {"code", m_codes, SJ("ITEM[%d]：%s\nITEM[%d]：%s\nINFO[0]：上記2つのアイテムコードが重複しています\n")},
            {"name", m_names, SJ("ITEM[%d]：%s\nITEM[%d]：%s\nINFO[0]：上記2つのアイテム名が重複しています\n")},
        };
        for (const Check& check : checks) {
            for (uint32_t i = 0; i < m_doc.itemdata.GetCount(); ++i) {
                const uint32_t first = check.seen.Remember(Field(*m_doc.itemdata.GetAt(i), check.key), i);
                if (first != i)
                    AddRepeat(check.format, first, ItemName(first), i, ItemName(i));
            }
        }
    }

    void ItemTypes()
    {
        for (uint32_t t = 0; t < m_doc.definedata.types.GetCount(); ++t)
            m_types.Remember(m_doc.definedata.types.GetAt(t)->name.GetBuffer(), t);
        for (uint32_t i = 0; i < m_doc.itemdata.GetCount(); ++i) {
            if (m_types.Has(Field(*m_doc.itemdata.GetAt(i), "type")))
                continue;
            CStr_base<1024> finding;
            finding.Format(SJ("ITEM[%d](%s)：指定されている分類が無効です\n"), static_cast<int>(i), ItemName(i));
            Add(finding);
        }
    }

    void RepeatedEventCodes()
    {
        CFirstPositions codes(m_doc.eventdata.GetCount());
        for (uint32_t i = 0; i < m_doc.eventdata.GetCount(); ++i) {
            const char* code = Field(*m_doc.eventdata.GetAt(i), "code");
            const uint32_t first = codes.Remember(code, i);
            if (first != i)
                AddRepeat(SJ("EVENT[%d]：%s\nEVENT[%d]：%s\nINFO[0]：上記2つのイベントコードが重複しています\n"), first,
                          Field(*m_doc.eventdata.GetAt(first), "code"), i, code);
        }
    }

    // Calls `report` with every number referred to in `script` that no item has.
    template <class Report>
    void DanglingNumbers(const char* script, Report&& report)
    {
        uint32_t at = 0;
        std::string_view number;
        while (NextItemNoReference(script, at, number)) {
            if (!m_nos.Has(number))
                report(std::string(number).c_str());
        }
    }

    void ItemReferences()
    {
        const bool beta = m_doc.IsBeta();
        const char* const itemKeys[] = {"funct", "funcs", "funcb"};
        const char* const useKeys[] = {"func", "funcb", "funci"};
        const uint32_t keyCount = beta ? 3 : 1;
        const uint32_t useKeyCount = beta ? 3 : 2;
        for (uint32_t i = 0; i < m_doc.itemdata.GetCount(); ++i) {
            const Citemstruct& item = *m_doc.itemdata.GetAt(i);
            const int index = static_cast<int>(i);
            const char* name = Field(item, "name");
            for (uint32_t k = 0; k < keyCount; ++k) {
                DanglingNumbers(Field(item, itemKeys[k]), [&](const char* number) {
                    CStr_base<1024> finding;
                    finding.Format(SJ("ITEM[%d](%s)：@@ITEM要素\"%s\"に無効な@@ITEMNO\"%s\"が検出されました。\n"), index,
                                   name, itemKeys[k], number);
                    Add(finding);
                });
            }
            for (uint32_t u = 0; u < item.uses.GetCount(); ++u) {
                const Cusestruct& use = *item.uses.GetAt(u);
                for (uint32_t k = 0; k < useKeyCount; ++k) {
                    DanglingNumbers(Field(use, useKeys[k]), [&](const char* number) {
                        CStr_base<1024> finding;
                        finding.Format(SJ("ITEM[%d](%s)：@@USE[%d]の要素\"%s\"に無効な@@ITEMNO\"%s\"が検出されました。\n"),
                                       index, name, static_cast<int>(u), useKeys[k], number);
                        Add(finding);
                    });
                }
            }
            for (uint32_t u = 0; u < item.uses.GetCount(); ++u) {
                if (!UngNamesItems(*item.uses.GetAt(u))) {
                    CStr_base<1024> finding;
                    finding.Format(SJ("ITEM[%d](%s)：@@USE[%d]の要素\"use/need/get\"に無効なアイテム名が検出されました。\n"),
                                   index, name, static_cast<int>(u));
                    Add(finding);
                }
            }
        }
    }

    // Whether every use/need/get line of `use` names an item in its third
    // tab-separated column (a line without one gives an empty name).
    bool UngNamesItems(const Cusestruct& use) const
    {
        const CStrArray_base<64>* ung = use.GetList("ung");
        for (uint32_t l = 0; ung && l < ung->GetCount(); ++l) {
            const char* line = ung->GetAt(l)->GetBuffer();
            const char* first = std::strchr(line, '\t');
            const char* second = first ? std::strchr(first + 1, '\t') : nullptr;
            std::string_view column;
            if (second) {
                const char* end = std::strchr(second + 1, '\t');
                column = end ? std::string_view(second + 1, static_cast<size_t>(end - second - 1))
                             : std::string_view(second + 1);
            }
            if (!m_names.Has(column))
                return false;
        }
        return true;
    }

    void EventReferences()
    {
        const char* const keys[] = {"startfunc", "endfunc", "func"};
        for (uint32_t i = 0; i < m_doc.eventdata.GetCount(); ++i) {
            const Ceventstruct& event = *m_doc.eventdata.GetAt(i);
            const int index = static_cast<int>(i);
            const char* code = Field(event, "code");
            for (const char* key : keys) {
                DanglingNumbers(Field(event, key), [&](const char* number) {
                    CStr_base<1024> finding;
                    finding.Format(SJ("EVENT[%d](%s)：@@EVENT要素\"%s\"に無効な@@ITEMNO\"%s\"が検出されました。\n"), index,
                                   code, key, number);
                    Add(finding);
                });
            }
            for (uint32_t k = 0; k < event.params.GetCount(); ++k) {
                const char* problem = ParamProblem(event.params.GetAt(k)->GetBuffer());
                if (!problem)
                    continue;
                CStr_base<1024> finding;
                finding.Format(problem, index, code, static_cast<int>(k));
                Add(finding);
            }
        }
    }

    // The finding format of a parameter line that cannot be read or whose
    // first word names no item; null for a good line.
    const char* ParamProblem(const char* param)
    {
        if (StrRegex(param, "%+0w%{%/0i%}%/w%{%/0I%}", "s", &m_captures) == 0)
            return SJ("EVENT[%d](%s)：@@EVENT要素\"param\"[%d]の構文が認識できません。\n");
        const CStr_base<16384>& word = *m_captures.GetAt(0);
        if (m_names.Has(std::string_view(word.GetBuffer(), word.GetLength())))
            return nullptr;
        return SJ("EVENT[%d](%s)：@@EVENT要素\"param\"[%d]に無効なアイテム名が検出されました。\n");
    }

    void FunctionReferences()
    {
        for (uint32_t n = 0; n < MERX_FUNCTION_COUNT; ++n) {
            const char* keyword = g_aszMerxFunctionKeywords[n];
            const Csinglestruct* block = m_doc.singledata.Lookup(keyword);
            if (!block)
                continue;
            DanglingNumbers(block->text.GetBuffer(), [&](const char* number) {
                CStr_base<1024> finding;
                finding.Format(SJ("FUNC[%d]：\"%s\"に無効な@@ITEMNO\"%s\"が検出されました。\n"), static_cast<int>(n),
                               keyword, number);
                Add(finding);
            });
        }
    }

    const CMerxDocument& m_doc;
    CFirstPositions m_nos;
    CFirstPositions m_codes;
    CFirstPositions m_names;
    CFirstPositions m_types;
    CStrRegexMatchStruct m_captures;
    CIntegrityFindings m_findings;
};

} // namespace

CIntegrityFindings CheckProjectIntegrity(const CMerxDocument& doc) { return CIntegrityChecker(doc).Run(); }

CStr_base<64> IntegrityCheckTitle(uint32_t count)
{
    CStr_base<64> title;
    if (count == 0)
        title.Assign(SJ("プロジェクト整合性チェック (問題なし)"));
    else
        title.Format(SJ("プロジェクト整合性チェック ( %d要素該当)"), static_cast<int>(count));
    return title;
}

const char* IntegrityCheckCleanMessage() { return SJ("チェックの結果、問題は見つかりませんでした。"); }
