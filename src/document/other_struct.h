// Other text: free text, IF, SETMACRO and USEMACRO blocks, @@SKIP ...
// @@ENDSKIP, @@END with all that follows, @@include blocks (when includes
// are no elements), a second @@DEFINE. The text stands as in the file, with
// "\n" line ends.
#pragma once

#include <string_view>

#include "document/merx_base.h"

class Cotherstruct : public CMERX_base {
public:
    CMerxBlockText text;

    Cotherstruct() : CMERX_base(CMERX_TYPE_OTHER) {}

    void Clear() { text.Release(); }

    // The line that names the text in lists: its first line that holds more
    // than blanks and tabs (a section header behind blank lines), or the
    // first line when none does; without its line end.
    std::string_view LabelLine() const;
};
