#include "editing/reopen_guard.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "document/data_writer.h"
#include "document/element_reader.h"
#include "document/reopen_check.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"

namespace {

// The lines of a text, without their line ends and leading blanks and tabs.
std::vector<std::string_view> TrimmedLines(const char* text)
{
    std::vector<std::string_view> lines;
    const std::string_view all(text);
    for (size_t start = 0; start <= all.size();) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The number in brackets at the start of `line`, and the offset of the
// closing bracket; 0 when there is none.
uint32_t LeadingNumber(std::string_view line, size_t& bracket)
{
    if (line.size() < 3 || line[0] != '[')
        return 0;
    uint32_t number = 0;
    size_t at = 1;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9' && number < 100000000; ++at)
        number = number * 10 + static_cast<uint32_t>(line[at] - '0');
    if (at == 1 || at >= line.size() || line[at] != ']')
        return 0;
    bracket = at;
    return number;
}

bool Parse(const CMerxDocument& doc, const char* text, Citemstruct& out, CStr_base<1024>& messages)
{
    uint32_t line = 0;
    return CElementReader(doc, messages).ParseItem(out, text, line) && messages.IsEmpty();
}

bool Parse(const CMerxDocument& doc, const char* text, Ceventstruct& out, CStr_base<1024>& messages)
{
    uint32_t line = 0;
    return CElementReader(doc, messages).ParseEvent(out, text, line) && messages.IsEmpty();
}

// What the file gives back of `edited` differs from it only in the
// indentation of lines: it is taken instead, when it holds.
template <class T>
bool TakeReadBack(const CMerxDocument& doc, T& edited, const CWriterText& written)
{
    std::string text(written.GetBuffer(), written.GetLength());
    CollapseCrLf(text);
    T back;
    CStr_base<1024> messages;
    if (!Parse(doc, text.c_str(), back, messages) || !SurvivesReopen(doc, back))
        return false;
    const CWriterText again = CMerxWriter(doc).WriteElement(back);
    if (TrimmedLines(again.GetBuffer()) != TrimmedLines(written.GetBuffer()))
        return false;
    edited = back;
    return true;
}

template <class T>
CReopenGuard Guard(const CMerxDocument& doc, const T& stored, T& edited, CStr_base<1024>& errors)
{
    const CMerxWriter writer(doc);
    const CWriterText written = writer.WriteElement(edited);
    if (written == writer.WriteElement(stored))
        return CReopenGuard::kStored;
    CStr_base<1024> reasons;
    if (SurvivesReopen(doc, edited, &reasons))
        return CReopenGuard::kStored;
    if (TakeReadBack(doc, edited, written))
        return CReopenGuard::kNormalised;
    errors.Append(reasons);
    return CReopenGuard::kRefused;
}

template <class T>
bool GuardTyped(const CMerxDocument& doc, const T& before, T& parsed, const char* typed, CStr_base<1024>& errors)
{
    CStr_base<1024> reasons;
    if (Guard(doc, before, parsed, reasons) != CReopenGuard::kRefused)
        return true;
    errors.Append(NumberedAsTyped(reasons, CMerxWriter(doc).WriteElement(parsed).GetBuffer(), typed));
    return false;
}

} // namespace

CReopenGuard GuardReopen(const CMerxDocument& doc, const Citemstruct& stored, Citemstruct& edited,
                         CStr_base<1024>& errors)
{
    return Guard(doc, stored, edited, errors);
}

CReopenGuard GuardReopen(const CMerxDocument& doc, const Ceventstruct& stored, Ceventstruct& edited,
                         CStr_base<1024>& errors)
{
    return Guard(doc, stored, edited, errors);
}

bool GuardDirectEdit(const CMerxDocument& doc, const Citemstruct& before, Citemstruct& parsed, const char* typed,
                     CStr_base<1024>& errors)
{
    return GuardTyped(doc, before, parsed, typed, errors);
}

bool GuardDirectEdit(const CMerxDocument& doc, const Ceventstruct& before, Ceventstruct& parsed,
                     const char* typed, CStr_base<1024>& errors)
{
    return GuardTyped(doc, before, parsed, typed, errors);
}

CStr_base<1024> ReopenRefusalMessage(const CStr_base<1024>& errors)
{
    CStr_base<1024> message(SJ("保存して開き直すと同じ内容に戻らないため、適用できません。\n"
                               "（行番号は直接編集で表示されるテキストの行です）\n"));
    message.Append(errors);
    return message;
}

CStr_base<1024> NumberedAsTyped(const CStr_base<1024>& errors, const char* written, const char* typed)
{
    const std::vector<std::string_view> writtenLines = TrimmedLines(written);
    const std::vector<std::string_view> typedLines = TrimmedLines(typed);
    CStr_base<1024> out;
    for (std::string_view line : TrimmedLines(errors.GetBuffer())) {
        if (line.empty())
            continue;
        size_t bracket = 0;
        uint32_t number = LeadingNumber(line, bracket);
        if (number >= 1 && number <= writtenLines.size()) {
            // The same text may stand on several lines ("@@ITEM" heads the
            // element and may stand in a script): the k-th line holding it
            // in the written text is the k-th in the typed one.
            const std::string_view wanted = writtenLines[number - 1];
            const auto before = std::count(writtenLines.begin(), writtenLines.begin() + number - 1, wanted);
            for (size_t i = 0, seen = 0; i < typedLines.size(); ++i) {
                if (typedLines[i] == wanted && static_cast<long>(seen++) == before) {
                    number = static_cast<uint32_t>(i + 1);
                    break;
                }
            }
        }
        CStr_base<1024> renumbered;
        if (number != 0) {
            renumbered.Format("[%u", number);
            line.remove_prefix(bracket);
        }
        renumbered.Append(line.data(), static_cast<int32_t>(line.size()));
        renumbered.Append("\n");
        out.Append(renumbered);
    }
    return out;
}
