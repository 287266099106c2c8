#include "pages/use_sub_group.h"

#include "foundation/sjis_literal.h"
#include "pages/page_item_template.h"

using namespace item_page;

namespace {

const CUseSubControl<CJobControls> kJobControls[] = {
    {IDC_JOB_NAME, &CJobControls::name, nullptr},
    {IDC_JOB_PARAM, &CJobControls::param, nullptr},
};
const int32_t kJobButtons[] = {IDC_JOB_ADD, IDC_JOB_DELETE, IDC_JOB_HALVE};

void ShowJob(const char* entry, const CUseSubScope&, CJobControls& controls) { ShowJobEntry(entry, controls); }

bool ReadBackJob(const CJobControls* shown, const CJobControls& now, const CUseSubScope&, CStr_base<64>& entry,
                 CStr_base<1024>& errors)
{
    return ReadBackJobEntry(*shown, now, entry, errors);
}

const CUseSubControl<CArgselectControls> kArgselectControls[] = {
    {IDC_ARGSEL_PARAM, &CArgselectControls::param, nullptr},
    {IDC_ARGSEL_HEADING, &CArgselectControls::heading, nullptr},
};
const int32_t kArgselectButtons[] = {IDC_ARGSEL_ADD, IDC_ARGSEL_DELETE, IDC_ARGSEL_UP, IDC_ARGSEL_DOWN};

CStr_base<64> ArgselectLabel(const char* entry) { return CStr_base<64>(entry); }

void ShowArgselect(const char* entry, const CUseSubScope&, CArgselectControls& controls)
{
    ShowArgselectEntry(entry, controls);
}

bool ReadBackArgselect(const CArgselectControls* shown, const CArgselectControls& now, const CUseSubScope&,
                       CStr_base<64>& entry, CStr_base<1024>& errors)
{
    return ReadBackArgselectEntry(*shown, now, entry, errors);
}

const CUseSubControl<CUngControls> kUngControls[] = {
    {IDC_UNG_KIND, nullptr, &CUngControls::kind},
    {IDC_UNG_COUNT, &CUngControls::count, nullptr},
    {IDC_UNG_ITEM, &CUngControls::item, nullptr},
    {IDC_UNG_RATE, &CUngControls::rate, nullptr},
    {IDC_UNG_MESSAGE, &CUngControls::message, nullptr},
};
const int32_t kUngButtons[] = {IDC_UNG_ADD, IDC_UNG_DELETE};

void ShowUng(const char* entry, const CUseSubScope& scope, CUngControls& controls)
{
    ShowUngLine(entry, scope.itemName.GetBuffer(), controls);
}

bool ReadBackUng(const CUngControls* shown, const CUngControls& now, const CUseSubScope& scope, CStr_base<64>& entry,
                 CStr_base<1024>& errors)
{
    return ReadBackUngLine(shown, now, scope.doc, scope.itemName.GetBuffer(), entry, errors);
}

} // namespace

const CUseSubGroup<CJobControls>& JobGroup()
{
    static const CUseSubGroup<CJobControls> group{
        .key = "job",
        .list = IDC_JOB_LIST,
        .controls = kJobControls,
        .buttons = kJobButtons,
        .betaOnly = false,
        .newEntryEdited = false,
        .newEntry = "",
        .label = JobLabel,
        .show = ShowJob,
        .readBack = ReadBackJob,
    };
    return group;
}

const CUseSubGroup<CArgselectControls>& ArgselectGroup()
{
    static const CUseSubGroup<CArgselectControls> group{
        .key = "argselect",
        .list = IDC_ARGSEL_LIST,
        .controls = kArgselectControls,
        .buttons = kArgselectButtons,
        .betaOnly = true,
        .newEntryEdited = false,
        .newEntry = ";",
        .label = ArgselectLabel,
        .show = ShowArgselect,
        .readBack = ReadBackArgselect,
    };
    return group;
}

const CUseSubGroup<CUngControls>& UngGroup()
{
    static const CUseSubGroup<CUngControls> group{
        .key = "ung",
        .list = IDC_UNG_LIST,
        .controls = kUngControls,
        .buttons = kUngButtons,
        .betaOnly = false,
        .newEntryEdited = true,
        .newEntry = SJ("use\t\tこのアイテム\t\t"),
        .label = UngLabel,
        .show = ShowUng,
        .readBack = ReadBackUng,
    };
    return group;
}
