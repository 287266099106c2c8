// What the find window searches: the target sets ("対象のデータ") and the
// fields compared in each kind of element ("対象の要素").
#pragma once

#include <cstdint>
#include <vector>

#include "document/merx_document.h"
#include "editing/page_element.h"
#include "foundation/str_base.h"

enum CFindTarget : int32_t {
    kFindCurrentObject = 0,  // 現在のオブジェクト
    kFindCurrentPage = 1,    // 現在のページ
    kFindItems = 2,          // 全アイテム
    kFindEvents = 3,         // 全イベント
    kFindFunctions = 4,      // 関数系
    kFindOthers = 5,         // その他: the definition, then the other texts
    kFindItemsEvents = 6,    // アイテム・イベント
    kFindNotItemsEvents = 7, // アイテム・イベント以外
    kFindAll = 8,            // 全て
    kFindResultLine = 9,     // 結果ウィンドウで選択中のオブジェクト
};
inline constexpr int32_t kFindTargetCount = 10;

enum CFindField : int32_t {
    kFindFullText = 0, // 全文(inc-item-data形式)
    kFindScript = 1,   // スクリプト
    kFindCode = 2,     // 固有コード(アイテム・イベントのみ)
    kFindNo = 3,       // No(アイテムのみ)
    kFindName = 4,     // 名前(アイテムのみ)
};
inline constexpr int32_t kFindFieldCount = 5;

// One element of a target set and the index its result line names: the
// item's or event's index, the function block's place in the keyword
// table, 0 for the definition, an other text's place in the arrangement.
struct CFindElement {
    CMERX_base* element = nullptr;
    uint32_t index = 0;
};

// The elements of targets 0 to 8 in the order they are searched. `current`
// is the page shown and the element it shows (the function page's index is
// the keyword's place, the arrangement page's the place in the
// arrangement); targets 0 and 1 follow it, the others ignore it.
std::vector<CFindElement> CollectFindTargets(CMerxDocument& doc, int32_t target, CPageElement current);

// Target 9: the element a result line names, followed from when the line
// was set (`id`, result_line.h's ResultLineIdentity) to where it stands
// now. False with the message to show: "この要素にアクセスできません。\nこの
// 要素は既に無効になっている可能性があります。" for an element that went
// (or never was), "選択されたオブジェクトがありません" for an INFO line or
// one without a kind word, "内部エラー・・・\nFindDlg::Find_Replace" for an
// unknown kind word.
bool FindTargetOfResultLine(CMerxDocument& doc, const char* line, uint32_t id, CFindElement& found,
                            const char*& message);
