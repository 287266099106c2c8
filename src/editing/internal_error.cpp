#include "editing/internal_error.h"

#include "foundation/sjis_literal.h"

CStr_base<1024> InternalErrorReport(const char* message, const char* position, const char* info)
{
    CStr_base<1024> text(SJ("MERX_ERROR\n内部エラーが発生しました。\n"
                            "以下のメッセージを発生前の操作などと共に作者に報告してください。\n\n"));
    text.Append(SJ("Message："));
    text.Append(message);
    text.Append(SJ("\nPosition："));
    text.Append(position);
    if (info) {
        text.Append(SJ("\nInfo："));
        text.Append(info);
    }
    return text;
}

CStr_base<64> InternalErrorNote(const char* position)
{
    CStr_base<64> text(SJ("内部エラー・・・\n"));
    text.Append(position);
    return text;
}

CStr_base<64> InternalErrorPositionNote(const char* position)
{
    CStr_base<64> text(SJ("内部エラー：\nPosition："));
    text.Append(position);
    return text;
}
