#include "document/project_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "document/backup_file.h"
#include "document/data_writer.h"
#include "document/function_keywords.h"
#include "document/kept_writer.h"
#include "document/merx_reader.h"
#include "foundation/native_path.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"
#include "settings/setting_keys.h"

namespace {

const char* FatalMessage()
{
    return SJ("プログラムの続行に対する重大なエラーが発生しました。\nプログラムを強制終了します。");
}

const char* OutOfMemoryMessage()
{
    return SJ("メモリが不足したため、ファイルを最後まで読み込めませんでした。\n操作をキャンセルします。");
}

// A file larger than the program reads; `size` 0 where it is not known.
CStr_base<64> TooLargeMessage(uint64_t size)
{
    const std::string limit = std::to_string(LargestFileBytes());
    CStr_base<64> message;
    if (size)
        message.Format(SJ("ファイルが大きすぎるため開けません（%sバイト、上限は%sバイト）。\n操作をキャンセルします。"),
                       std::to_string(size).c_str(), limit.c_str());
    else
        message.Format(SJ("ファイルが大きすぎるため開けません（上限の%sバイトを超えています）。\n操作をキャンセルします。"),
                       limit.c_str());
    return message;
}

const char* OverwriteChangedQuestion()
{
    return SJ("このファイルは開いた後に他のプログラムによって変更されています。上書きしますか？");
}

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

CStr_base<64> FileNamePart(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return CStr_base<64>(slash ? slash + 1 : path);
}

CStr_base<1024> OpenFailedMessage(const char* path, const char* reason)
{
    CStr_base<1024> message;
    message.Format("%s\n%s: %s", SJ("目標のファイルにアクセスできません。\n操作をキャンセルします。"), path, reason);
    return message;
}

CMerxProject::CMerxProject(CMerxDocument& doc, CRuleTable& rules, CSettingsStore& settings,
                           CProjectHost& host, const char* programFolder)
    : clock(LocalNow), m_doc(doc), m_rules(rules), m_settings(settings), m_host(host),
      m_strProgramFolder(programFolder)
{
}

void CMerxProject::SetDefaultContent()
{
    history.Clear();
    m_doc.Clear();
    m_doc.definedata.text.Assign("@@DEFINE\n");
    m_doc.InsertIntoArrangement(m_doc.setdata.GetCount(), &m_doc.definedata);
    for (const char* keyword : g_aszMerxFunctionKeywords)
        m_doc.InsertIntoArrangement(m_doc.setdata.GetCount(), m_doc.FindFunction(keyword));
}

bool CMerxProject::ApplyOrEnd(const char* key)
{
    CStr_base<64> message;
    if (ApplyRule(m_rules, key, m_bIncludeAsElement, applied, m_doc, message))
        return true;
    if (!message.IsEmpty())
        m_host.ShowMessage(message);
    m_host.ShowMessage(FatalMessage());
    m_bModified = false;
    m_host.EndProgram();
    return false;
}

void CMerxProject::ResetToDefaults(bool startup)
{
    m_bModified = false;
    SetDefaultContent();
    if (!ApplyOrEnd(BetaRuleKey()))
        return;
    info = CProjectInfo();
    info.ruleKey.Assign(applied.ruleKey);
    info.ruleName.Assign(applied.ruleName);
    info.projectName.Assign(SJ("無題"));
    m_strFilePath.Truncate(0);
    m_strFileName.Truncate(0);
    m_fileIdentity = CFileIdentity{};
    m_host.ShowProject(startup ? -1 : 0);
}

void CMerxProject::NewProject(const CProjectInfo& chosen)
{
    m_bModified = false;
    SetDefaultContent();
    if (!ApplyOrEnd(chosen.ruleKey))
        return;
    const CStr_base<64> iconImagePath = info.iconImagePath;
    info = CProjectInfo();
    info.iconImagePath.Assign(iconImagePath);
    info.ruleKey.Assign(applied.ruleKey);
    info.ruleName.Assign(applied.ruleName);
    info.projectName.Assign(chosen.projectName);
    m_strFilePath.Truncate(0);
    m_strFileName.Truncate(0);
    m_fileIdentity = CFileIdentity{};
    m_host.ShowProject(0);
}

int32_t CMerxProject::SaveQuestion()
{
    if (!m_bModified)
        return SAVE_QUESTION_DONE;
    switch (m_host.AskYesNoCancel(SJ("プロジェクトが更新されています。\n保存しますか？"))) {
    case CProjectAnswer::kYes:
        return Save() ? SAVE_QUESTION_DONE : SAVE_QUESTION_STOP;
    case CProjectAnswer::kNo:
        return SAVE_QUESTION_DISCARD;
    case CProjectAnswer::kCancel:
        break;
    }
    return SAVE_QUESTION_STOP;
}

bool CMerxProject::Save()
{
    if (m_strFilePath.IsEmpty())
        return SaveAs();
    if (!SaveToPath(m_strFilePath, true))
        return false;
    m_fileIdentity = m_savedIdentity;
    return true;
}

bool CMerxProject::SaveAs()
{
    CStr_base<64> path;
    if (!m_host.AskSavePath(m_strFileName, path))
        return false;
    if (!SaveToPath(path, false))
        return false;
    m_strFileName = FileNamePart(path);
    m_strFilePath = path;
    m_fileIdentity = m_savedIdentity;
    m_host.AddToHistory(path);
    return true;
}

bool CMerxProject::Backup(const char* path, bool overwrite, bool asCopy, std::string& kept)
{
    if (!IsSwitchOnOrMissing(m_settings, kSaveAutoBackupKey))
        return true;
    const int error = KeepBackup(path, BackupFileName(m_strProgramFolder, clock()), kept, asCopy);
    // A file that is not there (a new one, or one removed since it was
    // read) has nothing to keep.
    if (error == 0 || (error == ENOENT && (!overwrite || !FileIdentityOf(NativePath(path).c_str()).exists)))
        return true;
    CStr_base<64> question;
    question.Format(SJ("ファイルのバックアップに失敗しました。\nエラーコード：%d\n\n続行しますか？"), error);
    return m_host.AskYesNo(question);
}

CWriterText CMerxProject::DocumentText() const
{
    if (!m_bWriteFormatted)
        return CKeptWriter(m_doc).WriteDocument();
    CWriterText document = CMerxWriter(m_doc).WriteDocument();
    document.Replace("\r\n", "\n");
    return document;
}

CStr_base<16384> CMerxProject::FileText() const
{
    CStr_base<16384> text = BuildProjectInfoBlock(info);
    text.Append(DocumentText());
    return text;
}

bool CMerxProject::WriteFileText(const CTextSink& write) const
{
    const CWriterText document = DocumentText();
    const CStr_base<1024> block = BuildProjectInfoBlock(info);
    bool written = write(block.GetBuffer(), block.GetLength());
    constexpr uint32_t kPiece = 1 << 16;
    for (uint32_t done = 0; written && done < document.GetLength(); done += kPiece)
        written = write(document.GetBuffer() + done, std::min(kPiece, document.GetLength() - done));
    return written;
}

bool CMerxProject::SaveToPath(const char* path, bool overwrite)
{
    if (!m_host.ApplyCurrentPage(info))
        return false;
    // The new content goes to a temporary file, complete and within the
    // size that can be opened again, before the previous file is backed up;
    // it replaces the old one only then. The writer first checks that the
    // file may be replaced at all, so that a refused save makes no backup.
    // The document goes over in pieces, so that no second whole copy of it
    // is made with the file's line ends. A file whose owner or group a
    // replacement could not keep is written over where it stands, which is
    // safe only with a copy of it in the backup folder: without one it is
    // refused.
    CTextFileWriter writer;
    std::string backup;
    auto failed = [this, path, &writer, &backup] {
        CStr_base<1024> message;
        message.Format("%s\n%s: %s", SJ("ファイルの作成に失敗しました。"), path, writer.Reason().c_str());
        if (writer.PartlyWritten()) {
            // The backup is then the file as it was.
            CStr_base<1024> restore;
            restore.Format(SJ("\nファイルは途中まで書き換えられています。次のバックアップから元に戻してください。\n%s"),
                           PathTextFromNative(backup).GetBuffer());
            message.Append(restore);
        } else if (!backup.empty()) {
            DropBackup(backup);
        }
        m_host.ShowMessage(message);
        return false;
    };
    const bool backups = IsSwitchOnOrMissing(m_settings, kSaveAutoBackupKey);
    if (!writer.Begin(NativePath(path).c_str(), backups) ||
        !WriteFileText([&writer](const char* text, size_t length) { return writer.Write(text, length); }) ||
        !writer.Complete())
        return failed();
    if (!Backup(path, overwrite, writer.InPlace(), backup))
        return false;
    if (writer.InPlace() && backup.empty()) {
        writer.RefuseInPlace();
        return failed();
    }
    // Over the project's own file, the file must still be the one read or
    // written last: another program may have changed it meanwhile.
    const bool ownFile = overwrite && !m_strFilePath.IsEmpty() && m_strFilePath == path;
    if (!CommitSave(writer, path, ownFile)) {
        if (writer.Error())
            return failed();
        if (!backup.empty())
            DropBackup(backup);
        return false;
    }
    m_savedIdentity = writer.Written();
    m_bModified = false;
    history.MarkClean();
    return true;
}

bool CMerxProject::CommitSave(CTextFileWriter& writer, const char* path, bool ownFile)
{
    if (!ownFile)
        return writer.Commit();
    switch (writer.CommitUnlessChanged(m_fileIdentity)) {
    case CTextFileWriter::CommitResult::kDone:
        return true;
    case CTextFileWriter::CommitResult::kFailed:
        return false;
    case CTextFileWriter::CommitResult::kChanged:
        break;
    }
    if (m_host.AskOverwriteChanged(path, OverwriteChangedQuestion()))
        return writer.Commit();
    writer.Abandon();
    return false;
}

bool CMerxProject::ParseAndReview(CStr_base<16384>& text)
{
    // A read that ran out of memory left only part of the file in the
    // document, which a save would then write over the file.
    bool complete = true;
    CStr_base<1024> found;
    auto parse = [this, &complete, &found](auto&& data) {
        CMerxReader reader(m_doc);
        complete = reader.Parse(std::forward<decltype(data)>(data));
        found = reader.Messages();
    };
    // The document keeps the text it reads: the file's other copy goes
    // before the elements are made, which a large file notices.
    std::string read(text.GetBuffer(), text.GetLength());
    text.Release();
    parse(std::move(read));
    if (complete && !found.IsEmpty()) {
        CStr_base<16384> shown(m_doc.keptText.c_str());
        shown.Replace("\n", "\r\n");
        const CReaderRetry retry = [&complete, &found, &parse](const char* edited, CStr_base<1024>& messages) {
            parse(edited);
            messages.Assign(found);
            if (!complete)
                messages.Format("%s\n", OutOfMemoryMessage());
            return messages.IsEmpty();
        };
        const CStr_base<1024> messages = found;
        if (!m_host.ReviewReaderMessages(shown, messages, retry))
            return false;
    }
    m_bOutOfMemory = !complete;
    return complete;
}

bool CMerxProject::Open(const char* path) { return Load(path, path, false); }

bool CMerxProject::OpenRecoveryCopy(const char* copy, const char* origin)
{
    const CStr_base<64> path(origin);
    return Load(copy, path, true);
}

bool CMerxProject::TakeDiskChange(CStr_base<1024>& question)
{
    if (m_strFilePath.IsEmpty())
        return false;
    const CFileIdentity now = FileIdentityOf(NativePath(m_strFilePath).c_str());
    if (!now.exists || now == m_fileIdentity || now == m_toldIdentity)
        return false;
    m_toldIdentity = now;
    question.Format(SJ("開いているファイルが他のプログラムによって変更されました。\n%s\n\nファイルを開きなおしますか？"),
                    m_strFilePath.GetBuffer());
    if (m_bModified)
        question.Append(SJ("\n開きなおすと、保存していない変更は失われます。"));
    return true;
}

bool CMerxProject::Load(const char* from, const char* path, bool recovered)
{
    m_bOutOfMemory = false;
    bool touched = false;
    try {
        if (LoadFile(from, path, recovered, touched))
            return true;
        if (!m_bOutOfMemory)
            return false;
    } catch (...) {
        if (!IsOutOfMemory())
            throw;
        m_bOutOfMemory = true;
    }
    m_host.ShowMessage(OutOfMemoryMessage());
    if (touched)
        ResetToDefaults(false);
    return false;
}

bool CMerxProject::LoadFile(const char* from, const char* path, bool recovered, bool& touched)
{
    // Taken before the file is read: a change made while it is read makes
    // a later save ask, rather than go unseen.
    const CFileIdentity identity = FileIdentityOf(NativePath(path).c_str());
    CStr_base<16384> text;
    uint64_t size = 0;
    int error = 0;
    switch (ReadTextFile(NativePath(from).c_str(), text, &error, &size)) {
    case TextFileStatus::kOk:
        break;
    case TextFileStatus::kTooLarge:
        m_host.ShowMessage(TooLargeMessage(size));
        return false;
    case TextFileStatus::kFailed:
        m_host.ShowMessage(OpenFailedMessage(from, std::strerror(error)));
        return false;
    case TextFileStatus::kHasZeroByte:
        m_host.ShowMessage(SJ("ファイルにNUL文字（0x00）が含まれているため開けません。\n"
                              "このファイルはテキストファイルではないか、壊れています。\n操作をキャンセルします。"));
        return false;
    }

    CStr_base<1024> body;
    CProjectInfo opened;
    if (CutProjectInfoBlock(text, body)) {
        opened = ReadProjectInfoBody(body);
    } else {
        opened = info;
        if (!m_host.AskProjectInfo(path, opened))
            return false;
        opened.ResetPositions();
    }
    touched = true;
    info = opened;

    if (info.ruleKey.IsEmpty()) {
        m_host.ShowMessage(SJ("MERXプロジェクト情報が破損しています。\n"
                              "'###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください'と書かれた場所から\n"
                              "'###MERX_PROJECT_INFO_END'までの文字列を削除してから開きなおしてください。\n"
                              "プロジェクト情報を再設定することができます。"));
        ResetToDefaults(false);
        return false;
    }
    if (!m_rules.Lookup(info.ruleKey)) {
        CStr_base<1024> message;
        message.Format(
            SJ("MERXプロジェクト情報で指定されたルールを読み込めません。\n"
               "'%s'という名前のルールファイルをmakeitem_rulesフォルダに入れてください。\n\n"
               "もしプロジェクト情報が壊れている場合は、開こうとしたファイルの\n"
               "'###ここからMERX_PROJECT_INFO_ENDまでの行を編集しないでください'と書かれた場所から\n"
               "'###MERX_PROJECT_INFO_END'までの文字列を削除してから開きなおしてください。\n"
               "プロジェクト情報を再設定することができます。"),
            info.ruleKey.GetBuffer());
        m_host.ShowMessage(message);
        ResetToDefaults(false);
        return false;
    }
    if (!ApplyOrEnd(info.ruleKey))
        return false;
    // The block says what the rule was called when the file was saved; the
    // rule applied now names itself.
    info.ruleName.Assign(applied.ruleName);
    history.Clear();
    if (!ParseAndReview(text)) {
        if (!m_bOutOfMemory)
            ResetToDefaults(false);
        return false;
    }

    m_strFileName = FileNamePart(path);
    m_strFilePath = path;
    m_fileIdentity = identity;
    m_toldIdentity = CFileIdentity{};
    m_host.ShowProject(info.pageId);
    m_bModified = recovered;
    if (recovered)
        history.ForgetCleanPoint();
    else
        m_host.AddToHistory(path);
    return true;
}
