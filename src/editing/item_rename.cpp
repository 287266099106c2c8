#include "editing/item_rename.h"

#include <cstring>

#include "document/function_keywords.h"
#include "foundation/sjis.h"
#include "foundation/sjis_literal.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasBlank(const char* text)
{
    for (; *text; ++text)
        if (IsBlank(*text))
            return true;
    return false;
}

bool IsDigitsOnly(const char* text)
{
    for (; *text; ++text)
        if (*text < '0' || *text > '9')
            return false;
    return true;
}

bool IsItemNoKeyword(const char* at)
{
    static const char kKeyword[] = "@@ITEMNO";
    for (uint32_t i = 0; kKeyword[i]; ++i) {
        char c = at[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != kKeyword[i])
            return false;
    }
    return true;
}

// Finds the texts that name an item and rewrites them. One that only counts
// (no new name) finds them and counts each as left alone.
class CTracker {
public:
    CTracker(const char* oldName, const char* newName)
        : m_oldName(oldName), m_newName(newName ? newName : ""),
          m_oldLength(static_cast<uint32_t>(std::strlen(oldName))), m_followReferences(!IsDigitsOnly(oldName)),
          m_referencesAllowed(newName && !std::strchr(newName, '"')), m_linesAllowed(newName && !HasBlank(newName))
    {
    }

    CRenameTracking result;

    // The element whose texts are visited next, told to `recorder` (when
    // there is one) before its first change.
    void Visit(CMerxDocument& doc, const CMERX_base& element, CChangeRecorder* recorder)
    {
        m_doc = &doc;
        m_element = &element;
        m_recorder = recorder;
    }

    // The references in a script text.
    template <class Text>
    void Script(Text& text, const char* place)
    {
        if (!m_followReferences)
            return;
        Text out;
        uint32_t count = 0;
        const char* buffer = text.GetBuffer();
        const uint32_t length = text.GetLength();
        uint32_t copied = 0;
        for (uint32_t at = 0; at < length;) {
            const uint32_t end = MatchAt(buffer, length, at);
            if (end == 0) {
                at += static_cast<uint32_t>(SjisCharLength(buffer, at, length));
                continue;
            }
            if (!m_referencesAllowed) {
                ++result.referencesLeft;
                at = end;
                continue;
            }
            out.Append(buffer + copied, static_cast<int32_t>(at - copied));
            out.Append("@@ITEMNO\"");
            out.Append(m_newName);
            out.Append("\"");
            copied = at = end;
            ++count;
        }
        if (count == 0)
            return;
        out.Append(buffer + copied, static_cast<int32_t>(length - copied));
        Touch();
        text.Swap(out);
        Record(place, count);
    }

    // Use/need/get lines: the third tab-separated column names an item.
    void UngLines(CStrArray_base<64>& lines, const char* place)
    {
        uint32_t count = 0;
        for (CMerxString& line : lines) {
            const char* text = line.GetBuffer();
            const char* first = std::strchr(text, '\t');
            const char* second = first ? std::strchr(first + 1, '\t') : nullptr;
            if (!second)
                continue;
            const char* column = second + 1;
            const char* next = std::strchr(column, '\t');
            const uint32_t columnLength = next ? static_cast<uint32_t>(next - column) : static_cast<uint32_t>(std::strlen(column));
            if (!IsOldName(column, columnLength))
                continue;
            if (!m_linesAllowed) {
                ++result.linesLeft;
                continue;
            }
            CMerxString changed;
            changed.Assign(text, static_cast<int32_t>(column - text));
            changed.Append(m_newName);
            changed.Append(column + columnLength);
            Touch();
            line.Swap(changed);
            ++count;
        }
        Record(place, count);
    }

    // Event parameter lines: the first word, up to the first blank, names an
    // item; everything from that blank on stays.
    void ParamLines(CStrArray_base<64>& lines, const char* place)
    {
        uint32_t count = 0;
        for (CMerxString& line : lines) {
            const char* text = line.GetBuffer();
            uint32_t word = 0;
            while (text[word] && !IsBlank(text[word]))
                ++word;
            if (!text[word] || !IsOldName(text, word))
                continue;
            if (!m_linesAllowed) {
                ++result.linesLeft;
                continue;
            }
            CMerxString changed(m_newName);
            changed.Append(text + word);
            Touch();
            line.Swap(changed);
            ++count;
        }
        Record(place, count);
    }

private:
    void Touch()
    {
        if (m_recorder)
            m_recorder->Touch(*m_doc, *m_element);
    }

    bool IsOldName(const char* text, uint32_t length) const
    {
        return length == m_oldLength && std::memcmp(text, m_oldName, length) == 0;
    }

    // The end of a reference to the old name at `at`, or 0.
    uint32_t MatchAt(const char* text, uint32_t length, uint32_t at) const
    {
        if (length - at < 8 || !IsItemNoKeyword(text + at))
            return 0;
        uint32_t p = at + 8;
        while (p < length && IsBlank(text[p]))
            ++p;
        if (p >= length || text[p] != '"')
            return 0;
        ++p;
        if (length - p < m_oldLength + 1 || std::memcmp(text + p, m_oldName, m_oldLength) != 0 ||
            text[p + m_oldLength] != '"')
            return 0;
        return p + m_oldLength + 1;
    }

    void Record(const char* place, uint32_t count)
    {
        if (count == 0)
            return;
        CRenameChange& change = result.changes.emplace_back();
        change.place.Assign(place);
        change.count = count;
        result.total += count;
    }

    const char* m_oldName;
    const char* m_newName;
    uint32_t m_oldLength;
    bool m_followReferences;
    bool m_referencesAllowed;
    bool m_linesAllowed;
    CMerxDocument* m_doc = nullptr;
    const CMERX_base* m_element = nullptr;
    CChangeRecorder* m_recorder = nullptr;
};

void ScriptField(CTracker& tracker, CMerxFieldElement& element, const char* key, const CStr_base<64>& where)
{
    CMerxString* value = element.fields.Lookup(key);
    if (!value)
        return;
    CStr_base<64> place;
    place.Format("%s %s", where.GetBuffer(), key);
    tracker.Script(*value, place.GetBuffer());
}

// Visits every text that may name an item, in the order TrackItemRename
// gives.
void VisitNamingTexts(CMerxDocument& document, CTracker& tracker, CChangeRecorder* recorder)
{
    const bool beta = document.IsBeta();
    CStr_base<64> where, place;
    for (uint32_t i = 0; i < document.itemdata.GetCount(); ++i) {
        Citemstruct& item = *document.itemdata.GetAt(i);
        tracker.Visit(document, item, recorder);
        where.Format("ITEM[%u]", i);
        for (const char* key : {"funct", "funcs", "funcb"})
            if (beta || std::strcmp(key, "funct") == 0)
                ScriptField(tracker, item, key, where);
        for (uint32_t u = 0; u < item.uses.GetCount(); ++u) {
            Cusestruct& use = *item.uses.GetAt(u);
            CStr_base<64> usePlace;
            usePlace.Format("ITEM[%u] @@USE[%u]", i, u);
            for (const char* key : {"func", "funci", "funcb"})
                if (beta || std::strcmp(key, "funci") != 0)
                    ScriptField(tracker, use, key, usePlace);
            if (CStrArray_base<64>* ung = use.GetList("ung")) {
                place.Format("%s ung", usePlace.GetBuffer());
                tracker.UngLines(*ung, place.GetBuffer());
            }
        }
    }
    for (uint32_t e = 0; e < document.eventdata.GetCount(); ++e) {
        Ceventstruct& event = *document.eventdata.GetAt(e);
        tracker.Visit(document, event, recorder);
        where.Format("EVENT[%u]", e);
        for (const char* key : {"startfunc", "endfunc", "func"})
            ScriptField(tracker, event, key, where);
        place.Format("%s param", where.GetBuffer());
        tracker.ParamLines(event.params, place.GetBuffer());
    }
    for (uint32_t f = 0; f < MERX_FUNCTION_COUNT; ++f) {
        Csinglestruct* block = document.FindFunction(g_aszMerxFunctionKeywords[f]);
        if (!block)
            continue;
        tracker.Visit(document, *block, recorder);
        place.Format("FUNC[%u] %s", f, g_aszMerxFunctionKeywords[f]);
        tracker.Script(block->text, place.GetBuffer());
    }
}

} // namespace

CRenameTracking TrackItemRename(CMerxDocument& document, const char* oldName, const char* newName,
                                CChangeRecorder* recorder)
{
    CTracker tracker(oldName, newName);
    if (!*oldName || !*newName || std::strcmp(oldName, newName) == 0)
        return tracker.result;
    VisitNamingTexts(document, tracker, recorder);
    return tracker.result;
}

uint32_t CountItemReferences(const CMerxDocument& document, const char* name)
{
    // Without a new name the tracker leaves every text alone.
    CTracker tracker(name, nullptr);
    if (*name)
        VisitNamingTexts(const_cast<CMerxDocument&>(document), tracker, nullptr);
    return tracker.result.referencesLeft + tracker.result.linesLeft;
}

CStr_base<1024> RenameLeftMessage(const CRenameTracking& tracking)
{
    CStr_base<1024> message;
    if (tracking.linesLeft) {
        CStr_base<1024> line;
        line.Format(SJ("新しいアイテム名に空白が含まれているため、use/need/getとparamの%u行は更新しませんでした。\n"),
                    tracking.linesLeft);
        message.Append(line);
    }
    if (tracking.referencesLeft) {
        CStr_base<1024> line;
        line.Format(SJ("新しいアイテム名に\"が含まれているため、@@ITEMNO\"…\"の%u箇所は更新しませんでした。\n"),
                    tracking.referencesLeft);
        message.Append(line);
    }
    return message;
}

int32_t OtherItemNamed(const CMerxDocument& document, uint32_t self, const char* name)
{
    if (!*name)
        return -1;
    for (uint32_t i = 0; i < document.itemdata.GetCount(); ++i)
        if (i != self && std::strcmp(document.itemdata.GetAt(i)->FieldText("name"), name) == 0)
            return static_cast<int32_t>(i);
    return -1;
}

CStr_base<1024> RenameMergeMessage(const CMerxDocument& document, uint32_t self, const char* oldName,
                                   const char* newName)
{
    const struct {
        const char* name;
        const char* line;
    } names[] = {
        {newName, SJ("変更後のアイテム名は次のアイテムでも使用されています。\n")},
        {oldName, SJ("変更前のアイテム名は次のアイテムでも使用されています。\n")},
    };
    CStr_base<1024> holders;
    for (const auto& held : names) {
        const int32_t other = OtherItemNamed(document, self, held.name);
        if (other < 0)
            continue;
        CStr_base<1024> item;
        item.Format(SJ("ITEM[%d]：%s\n"), other, held.name);
        holders.Append(held.line);
        holders.Append(item);
    }
    if (holders.IsEmpty())
        return holders;
    CStr_base<1024> message(SJ("アイテム名が変更されました。\n"));
    message.Append(holders);
    message.Append(SJ("\n名前が混ざらないよう、このアイテム名を使用している項目は追跡せず、アイテム名だけを変更します。\n"
                      "よろしいですか？"));
    return message;
}
