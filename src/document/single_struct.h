// A function block (@@FUNCITEM ... @@FUNCBUY): its text is the block
// without its keyword line, with "\n" line ends. Its identity is the
// keyword under which the document keeps it, which it also carries.
#pragma once

#include "document/merx_base.h"

class Csinglestruct : public CMERX_base {
public:
    CStr_base<32> keyword;
    CMerxBlockText text;

    Csinglestruct() : CMERX_base(CMERX_TYPE_SINGLE) {}
};
