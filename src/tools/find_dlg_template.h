// The find window's controls, in dialog order: what to search (target
// set, field), the search text and method with the pattern options, the
// replacement text, and the three buttons.
#pragma once

#include <cstdint>

#include "ui/ui_template.h"

namespace find_dlg {

enum : int32_t {
    IDD = 145,
    IDC_TARGET = 1000,      // "対象のデータ"
    IDC_FIELD = 1001,       // "対象の要素"
    IDC_SEARCH = 1002,      // "検索文字列"
    IDC_METHOD = 1003,      // "比較方法"
    IDC_SERIAL = 1004,      // "連続強制"
    IDC_IGNORE_CASE = 1005, // "大文字小文字無視"
    IDC_REPEAT = 1006,      // "繰り返し"
    IDC_REPLACEMENT = 1007, // "置換文字列(正規表現比較時は正規表現指定)"
    IDC_FIND = 1008,        // "検索(&F)"
    IDC_SHOW_RESULTS = 1009, // "結果表示(&W)"
    IDC_REPLACE_ALL = 1010, // "全て置換(&R)"
};

const CUiDialogTemplate& Template();

// The items of the three lists, in order (UTF-8 literals), ended by a null.
extern const char* const kTargetItems[];
extern const char* const kFieldItems[];
extern const char* const kMethodItems[];

}  // namespace find_dlg
