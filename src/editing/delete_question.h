// The questions the item and event pages ask before they delete: the
// question itself, and a second line that names what goes (for an item,
// also how many places of the project name it, which would then name no
// item).
#pragma once

#include "document/merx_document.h"

CStr_base<1024> DeleteItemQuestion(const CMerxDocument& document, const Citemstruct& item);
CStr_base<1024> DeleteEventQuestion(const Ceventstruct& event);
