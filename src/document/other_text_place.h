// Whether an other text keeps its place in the arrangement on reopen.
#pragma once

#include <cstdint>

#include "document/merx_document.h"

// Whether the other text at `position` of `setdata` stays a text of its
// own on reopen. A text that does not begin with a block keyword is read
// as part of the element written before it: comment lines of an item,
// lines of a function block, types of the definition. Two texts side by
// side merge, which changes nothing. True for a position that holds no
// other text.
bool StandsApart(const CMerxDocument& doc, uint32_t position);

// Why a text was refused that does not stand apart:
// "テキストが@@で始まるキーワードの行で始まらないため、…".
const char* AbsorbedTextMessage();
