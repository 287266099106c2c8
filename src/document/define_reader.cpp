// Reading the @@DEFINE block: item types, jobs and their time rates.
#include "document/element_reader.h"
#include "foundation/ascii_case.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

constexpr uint32_t kMaxJobCodeLength = 10;

} // namespace

bool CElementReader::ParseDefine(Cdefinestruct& define, const char* text, uint32_t& line)
{
    if (!StartsWithNoCase(text, "@@DEFINE")) {
        Message(SJ("[%u]：@@DEFINEを認識できません。\n"), line + 1);
        return false;
    }
    define.text.Assign(text);
    // A definition read again starts from no types and jobs, or every entry
    // would be reported as a repetition of itself.
    define.types.RemoveAll();
    define.jobs.RemoveAll();

    CStrArray_base<64> lines;
    lines.Split(text, "\n");
    CStrArray_base<64> timeRateCodes;
    CStrRegexMatchStruct captures;
    for (uint32_t i = 0; i < lines.GetCount(); ++i) {
        const uint32_t number = line + i + 1;
        CMerxString& trimmed = lines[i];
        trimmed.Regex("%/0W%{%+j%e%/0W%$%}", "s", &captures, "%0v");

        if (StartsWithNoCase(trimmed, "type")) {
            if (trimmed.Regex("type%{%/d%}%/w%{%/j%}", "si", &captures) == 0) {
                Message(SJ("[%u]：@@DEFINE：\"type\" 書式を認識できません\n"), number);
                continue;
            }
            TypeData* type = define.FindType(captures[0]);
            if (type) {
                Message(SJ("[%u]：@@DEFINE：\"type\" 種類IDが重複しています。\n"), number);
            } else {
                type = define.types.Add();
                type->id.Assign(captures[0]);
            }
            type->name.Assign(captures[1]);
        } else if (StartsWithNoCase(trimmed, "job")) {
            if (trimmed.Regex("job%/w%{%/a%}%/w%{%/j%}", "si", &captures) == 0) {
                Message(SJ("[%u]：@@DEFINE：\"job\" 書式を認識できません\n"), number);
                continue;
            }
            if (captures[0].GetLength() > kMaxJobCodeLength) {
                Message(SJ("[%u]：@@DEFINE：\"job\" コード文字数がオーバーしています\n"), number);
                continue;
            }
            JobData* job = define.FindJob(captures[0]);
            if (job) {
                Message(SJ("[%u]：@@DEFINE：\"job\" 職業コードが重複しています。\n"), number);
            } else {
                job = define.jobs.Add();
                job->code.Assign(captures[0]);
            }
            job->name.Assign(captures[1]);
        } else if (trimmed.Regex("set%/wjob_%{%/L%}_time_rate", "si", &captures) > 0) {
            timeRateCodes.Add()->Assign(captures[0]);
        }
    }
    // A time-rate line counts wherever it stands in the block.
    for (const CMerxString& code : timeRateCodes) {
        if (JobData* job = define.FindJob(code))
            job->timerate = true;
    }
    line += lines.GetCount() - 1;
    return true;
}
