// Text where the window layer meets Qt: CP932 bytes on the layer's side,
// QString on the widgets' side, and the positions of one in the other.
//
// Conversion is lossless (foundation/cp932.h): a byte that is no character
// travels as the escape U+DC00 + byte and comes back as the same byte.
// What a person types may hold characters CP932 cannot hold; the way back
// names them. Multi-line edits hold LF where the layer's text has CR LF.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/cp932.h"

// The widget form of CP932 `bytes`; with `multiLine`, each CR LF becomes LF.
QString QtFromCp932(std::string_view bytes, bool multiLine = false);
// The CP932 form of widget text, or the characters it refuses (TypedToCp932:
// each stands in the bytes as one "?"); with `multiLine`, each LF becomes
// CR LF.
CTypedCp932 QtToCp932(QStringView text, bool multiLine = false);

// `text` is what a widget shows for `bytes`. The position in `text` of the
// character at byte `offset` (an offset inside a character counts as its
// start; past the end, the end).
uint32_t QtPosFromOffset(QStringView text, std::string_view bytes, uint32_t offset, bool multiLine);
// The byte offset of position `pos` of `text` (inside a surrogate pair, the
// pair's start; past the end, the end).
uint32_t QtOffsetFromPos(QStringView text, std::string_view bytes, uint32_t pos, bool multiLine);

// A caption without the "&" marks of keyboard mnemonics ("&&" is one "&"),
// for widgets that would show them literally.
QString QtWithoutMnemonics(const QString& text);
