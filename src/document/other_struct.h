// Other text: free text, IF, SETMACRO and USEMACRO blocks, @@SKIP ...
// @@ENDSKIP, @@END with all that follows, @@include blocks (when includes
// are no elements), a second @@DEFINE. The text stands as in the file, with
// "\n" line ends.
#pragma once

#include "document/merx_base.h"

class Cotherstruct : public CMERX_base {
public:
    CMerxBlockText text;

    Cotherstruct() : CMERX_base(CMERX_TYPE_OTHER) {}

    void Clear() { text.Release(); }
};
