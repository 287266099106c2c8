// Rewriting only the lines of an element that changed.
//
// `kept` is the element's text as it was read ("\n" line ends; it may end
// in a piece of a line, the blanks before the next keyword). `before` is
// the writer's text of the element as read from `kept`, `after` the
// writer's text of the element now (both CR LF, the writer's layout).
//
// Each line of `before` is matched to the kept line it came from: the
// keyword lines to each other, then by the line's words (white space
// runs taken as one, the key in any case, a comment set apart), repeated
// lines in order, and what remains by its first word. The lines of
// `before` that `after` no longer holds take their kept lines out; the
// lines `after` gains go behind the kept line of the line before them, in
// the writer's layout with the indentation the element's kept lines have
// at that depth. Every other kept line stays as it is, those the reader
// could not place included.
//
// The result (appended to `out`, "\n" line ends) is only as good as the
// matching: the caller reads it back and takes the writer's text when it
// does not give the element as it is now.
#pragma once

#include <string_view>

#include "document/writer_text.h"

void MergeChangedLines(std::string_view kept, std::string_view before, std::string_view after, CWriterText& out);
