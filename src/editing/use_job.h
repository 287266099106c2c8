// Job corrections of a use entry ("job" lines): a job name, a blank and
// the parameter, shown in the job-name combo and the parameter edit.
//
// An entry whose controls the user left alone keeps its text, so "smith 5"
// is not rewritten as "smith", tab, "5", and an entry without a blank
// ("smith") is shown as its name and kept. An edited entry is joined with a
// tab; a blank inside the edited name or parameter is refused, and so is
// "#", which would begin a comment in the file.
#pragma once

#include "document/merx_document.h"
#include "foundation/str_base.h"

struct CJobControls {
    CStr_base<64> name, param;
};

// The entry's line in the job combo: name, a space, the parameter; an
// entry without a blank shows as itself; shorter than 2 bytes "(空データ)".
CStr_base<64> JobLabel(const char* entry);

// The name before the first blank and the parameter after it; an entry
// without a blank is all name.
void ShowJobEntry(const char* entry, CJobControls& controls);

// Reads the controls back into `entry` (see above). Appends one line per
// refused control to `errors` and returns false, leaving `entry` alone.
bool ReadBackJobEntry(const CJobControls& shown, const CJobControls& now, CStr_base<64>& entry,
                      CStr_base<1024>& errors);

// 時半減: "times/job_<code>_time_rate" when a job of the definition has
// exactly this name and a time-rate line, "times/2" otherwise.
CStr_base<64> HalvedTimeParam(const CMerxDocument& doc, const char* jobName);
