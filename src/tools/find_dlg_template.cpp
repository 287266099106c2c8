#include "tools/find_dlg_template.h"

#include "foundation/sjis_literal.h"

namespace find_dlg {

const char* const kTargetItems[] = {
    "現在のオブジェクト", "現在のページ",  "全アイテム",
    "全イベント",         "関数系",        "その他",
    "アイテム・イベント", "アイテム・イベント以外", "全て",
    "結果ウィンドウで選択中のオブジェクト", nullptr,
};

const char* const kFieldItems[] = {
    "全文(inc-item-data形式)", "スクリプト", "固有コード(アイテム・イベントのみ)",
    "No(アイテムのみ)",        "名前(アイテムのみ)", nullptr,
};

const char* const kMethodItems[] = {
    "完全一致", "前方一致", "通常検索", "ワイルドカード", "正規表現", nullptr,
};

const CUiDialogTemplate& Template()
{
    static const CUiDialogTemplate t{
        IDD,
        SJ("検索/置換"),
        {420, 250},
        kUiResizable,
        {
            {3000, UiControlKind::kStatic, SJ("対象のデータ"), {10, 12, 90, 16}, 0},
            {IDC_TARGET, UiControlKind::kDropList, "", {100, 10, 310, 19}, kUiTabStop},
            {3001, UiControlKind::kStatic, SJ("対象の要素"), {10, 38, 90, 16}, 0},
            {IDC_FIELD, UiControlKind::kDropList, "", {100, 36, 310, 19}, kUiTabStop},
            {3002, UiControlKind::kStatic, SJ("検索文字列"), {10, 64, 90, 16}, 0},
            {IDC_SEARCH, UiControlKind::kEdit, "", {100, 62, 310, 20}, kUiTabStop},
            {3003, UiControlKind::kStatic, SJ("比較方法"), {10, 90, 90, 16}, 0},
            {IDC_METHOD, UiControlKind::kDropList, "", {100, 88, 150, 19}, kUiTabStop},
            {3004, UiControlKind::kGroup, SJ("正規表現オプション"), {10, 114, 400, 42}, 0},
            {IDC_SERIAL, UiControlKind::kCheck, SJ("連続強制"), {20, 132, 110, 18}, kUiTabStop},
            {IDC_IGNORE_CASE, UiControlKind::kCheck, SJ("大文字小文字無視"), {140, 132, 140, 18}, kUiTabStop},
            {IDC_REPEAT, UiControlKind::kCheck, SJ("繰り返し"), {290, 132, 110, 18}, kUiTabStop},
            {3005, UiControlKind::kStatic, SJ("置換文字列(正規表現比較時は正規表現指定)"), {10, 164, 400, 16}, 0},
            {IDC_REPLACEMENT, UiControlKind::kEdit, "", {10, 182, 400, 20}, kUiTabStop},
            {IDC_FIND, UiControlKind::kButton, SJ("検索(&F)"), {10, 216, 125, 24}, kUiTabStop | kUiDefaultButton},
            {IDC_SHOW_RESULTS, UiControlKind::kButton, SJ("結果表示(&W)"), {147, 216, 125, 24}, kUiTabStop},
            {IDC_REPLACE_ALL, UiControlKind::kButton, SJ("全て置換(&R)"), {285, 216, 125, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

}  // namespace find_dlg
