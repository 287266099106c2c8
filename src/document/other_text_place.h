// Whether an other text keeps its place in the arrangement on reopen.
#pragma once

#include <cstdint>
#include <functional>

#include "document/merx_document.h"

// What a check reads in place of an element of the arrangement: the copy
// that is to take its place, or null for the element as it stands. So a
// change is judged before it is made, and the document is only read.
using CStandInOf = std::function<const CMERX_base*(const CMERX_base& element)>;

// Whether the other text at `position` of `setdata` comes back from a save
// and a reopen as it stands, judged together with its neighbours in the
// file as the reopen reads them: the element written before it, the text
// and the element written after it (elements that write nothing leave no
// trace in the file) are read as one piece of the file and must come back
// as the same elements with the same written texts. So a text that does
// not begin with a block keyword line is refused, as it is read as part of
// the element written before it (comment lines of an item, lines of a
// function block or of another text, types of the definition), and so are
// blanks in front of its keyword, which the reopen gives to the element
// before; behind an item or event, a blank line and nothing but blank and
// comment lines up to the first keyword line begin the text as well (the
// lines of the place behind the element, document/place_lines.h). Two texts side by side that merge into one change nothing. A
// "@@DEFINE" block behind the definition is other text, as in the file.
// Every other element is written from its keyword at the start of a line
// to a line end, so nothing of it crosses into a neighbour: true for a
// position that holds no other text.
bool StandsApart(const CMerxDocument& doc, uint32_t position, const CStandInOf& standIn = {});

// Why a text was refused that does not stand apart:
// "テキストが@@で始まるキーワードの行（アイテム・イベントの後ろでは空行）で始まらないため、…".
const char* AbsorbedTextMessage();
