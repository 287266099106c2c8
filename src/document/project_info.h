// The project-information block: the editor's own information about a
// project, kept as "###" lines at the top of the data file so that a
// project is one file.
//
// The block is two fixed lines, a body of "key=value" lines in the settings
// file's syntax whose keys begin with "###", and a closing line. Opening
// cuts the block out of the text wherever it stands; saving writes it back
// at the top.
//
// Only whole "###" lines are ever cut. Two opening lines whose body runs
// into any other line (an item, free text) before the closing line are no
// block: they stay in the data as text, and the search goes on behind them,
// so that a damaged block never takes the lines after it with it.
#pragma once

#include <cstdint>

#include "foundation/str_base.h"

// The icon folder of a new project, as the game's tools write it; it means
// the folder "Image" beside the data file's folder.
inline constexpr char kDefaultIconImagePath[] = "..\\Image";

// What the block holds. A default-constructed record holds the defaults of
// a block that lacks a key.
struct CProjectInfo {
    CStr_base<64> ruleKey;  // empty: the block is damaged
    CStr_base<64> ruleName;
    CStr_base<64> projectName;
    CStr_base<64> iconImagePath{kDefaultIconImagePath};
    int32_t pageId = 0;      // tab to show after opening, 0 to 5
    int32_t itemId = -1;     // the pages' selections, -1 for none
    int32_t itemExId = -1;
    int32_t useExId = -1;
    int32_t eventId = -1;
    int32_t funcId = -1;
    int32_t setId = -1;

    // Forgets the stored tab and selections.
    void ResetPositions();
};

constexpr int32_t kProjectPageCount = 6;

// Finds the first block in `text` ("\n" line ends), cuts the whole block
// out and returns its body (every line ending in "\n") and, when asked, the
// offset where the block stood. False, with `text` unchanged, when there is
// none.
bool CutProjectInfoBlock(CStr_base<16384>& text, CStr_base<1024>& body, uint32_t* offset = nullptr);

// Reads a block's body: every key that is missing or unreadable gets its
// default, a tab outside 0 to 5 becomes 0.
CProjectInfo ReadProjectInfoBody(const char* body);

// The whole block for `info`, lines ending in "\n".
CStr_base<1024> BuildProjectInfoBlock(const CProjectInfo& info);
