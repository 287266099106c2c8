// The texts that tell the user of an internal error: a state the program
// should never reach, reported so that the user can pass it on to the
// author. The pages and the main window give the full report, the tool
// windows a short note that names where it happened.
#pragma once

#include "foundation/str_base.h"

// "MERX_ERROR\n内部エラーが発生しました。\n以下のメッセージを発生前の操作
// などと共に作者に報告してください。\n\n", then "Message：<message>\n
// Position：<position>" and, with `info`, "\nInfo：<info>". The texts are
// taken as they are: a position names the class and handler, as in
// "CItemExDlg::OnInitDialog()"; an info of several lines brings its own
// line ends and indent.
CStr_base<1024> InternalErrorReport(const char* message, const char* position, const char* info = nullptr);

// The tool windows' notes: "内部エラー・・・\n<position>", and the item sort's
// "内部エラー：\nPosition：<position>".
CStr_base<64> InternalErrorNote(const char* position);
CStr_base<64> InternalErrorPositionNote(const char* position);
