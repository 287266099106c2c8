#include "editing/use_job.h"

#include <cstring>

#include "foundation/sjis_literal.h"

namespace {

const char kBlanks[] = " \t";

} // namespace

CStr_base<64> JobLabel(const char* entry)
{
    CJobControls parts;
    ShowJobEntry(entry, parts);
    CStr_base<64> label(parts.name);
    if (std::strpbrk(entry, kBlanks)) {
        label.Append(" ");
        label.Append(parts.param);
    }
    if (label.GetLength() < 2)
        label.Assign(SJ("(空データ)"));
    return label;
}

void ShowJobEntry(const char* entry, CJobControls& controls)
{
    // Tab and space are never the second byte of a double-byte character.
    const size_t name = std::strcspn(entry, kBlanks);
    controls.name.Assign(entry, static_cast<int32_t>(name));
    controls.param.Assign(entry[name] ? entry + name + 1 : "");
}

bool ReadBackJobEntry(const CJobControls& shown, const CJobControls& now, CStr_base<64>& entry,
                      CStr_base<1024>& errors)
{
    const bool nameEdited = !(shown.name == now.name);
    const bool paramEdited = !(shown.param == now.param);
    if (!nameEdited && !paramEdited)
        return true;
    bool accepted = true;
    if (nameEdited && std::strpbrk(now.name.GetBuffer(), kBlanks)) {
        errors.Append(SJ("[@@USE::job::職業名]\t区切り文字が含まれています\n"));
        accepted = false;
    }
    if (paramEdited && std::strpbrk(now.param.GetBuffer(), kBlanks)) {
        errors.Append(SJ("[@@USE::job::パラメータ]\t区切り文字が含まれています\n"));
        accepted = false;
    }
    // "#" would begin a comment on reopen.
    if ((nameEdited && std::strchr(now.name.GetBuffer(), '#')) || (paramEdited && std::strchr(now.param.GetBuffer(), '#'))) {
        errors.Append(SJ("[@@USE::job]\t\"#\"は使用できません\n"));
        accepted = false;
    }
    if (!accepted)
        return false;
    entry.Format("%s\t%s", now.name.GetBuffer(), now.param.GetBuffer());
    return true;
}

CStr_base<64> HalvedTimeParam(const CMerxDocument& doc, const char* jobName)
{
    CStr_base<64> param("times/2");
    for (const JobData& job : doc.definedata.jobs) {
        if (job.timerate && job.name == jobName) {
            param.Format("times/job_%s_time_rate", job.code.GetBuffer());
            break;
        }
    }
    return param;
}
