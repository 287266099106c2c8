#include "document/place_lines.h"

#include "document/line_scan.h"

namespace {

enum class CLineKind { kBlank, kComment, kElement };

CLineKind KindOfLine(const char* line, uint32_t length)
{
    // White-space bytes are characters of their own, so the first byte
    // behind them starts a character.
    uint32_t p = 0;
    while (p < length && IsPatternWhiteSpace(line[p]))
        ++p;
    if (p == length)
        return CLineKind::kBlank;
    return line[p] == '#' ? CLineKind::kComment : CLineKind::kElement;
}

} // namespace

uint32_t FindPlaceLines(const char* block, uint32_t length)
{
    uint32_t place = length;
    bool commented = false; // a comment line stands behind `place`
    uint32_t start = FindCharByte(block, 0, length, '\n') + 1;
    while (start < length) {
        const uint32_t end = FindCharByte(block, start, length, '\n');
        switch (KindOfLine(block + start, end - start)) {
        case CLineKind::kElement:
            place = length;
            commented = false;
            break;
        case CLineKind::kBlank:
            if (place == length && end < length)
                place = start;
            break;
        case CLineKind::kComment:
            commented = place != length;
            break;
        }
        start = end + 1;
    }
    return commented ? place : length;
}
