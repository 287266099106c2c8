#include "document/recovery_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>

#include "document/project_info.h"
#include "foundation/file_identity.h"
#include "foundation/leftover_files.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"
#include "settings/settings_store.h"

namespace {

constexpr char kOriginKey[] = "/###RecoveryOf";
constexpr char kCopyMark[] = ".recovery-";
constexpr char kCopyExtension[] = ".cgi";
// The block stands at the top of a copy; this much of it is read.
constexpr size_t kHeadBytes = 1 << 16;

bool IsCopyExtension(std::string_view rest) { return rest == kCopyExtension; }

// The folder of `settings` and the start of the copies' names.
void SplitSettingsPath(const std::string& settings, std::string& folder, std::string& prefix)
{
    const size_t slash = settings.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : settings.substr(0, slash);
    std::string name = slash == std::string::npos ? settings : settings.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    prefix = name + kCopyMark;
}

// The "###RecoveryOf" line of the block, in the settings file's syntax.
CStr_base<1024> OriginLine(const char* origin)
{
    CSettingsStore tree;
    tree.GetValueForWrite(kOriginKey)->Assign(origin);
    CStr_base<16384> line;
    tree.SaveText(line);
    return CStr_base<1024>(line.GetBuffer());
}

bool Newer(const CRecoveryCopy& copy, const CFileIdentity& file)
{
    return copy.writtenSeconds != file.modifiedSeconds ? copy.writtenSeconds > file.modifiedSeconds
                                                       : copy.writtenNanoseconds > file.modifiedNanoseconds;
}

}  // namespace

std::string RecoveryCopyPath(const std::string& settings)
{
    std::string folder, prefix;
    SplitSettingsPath(settings, folder, prefix);
    return (folder == "/" ? "" : folder) + "/" + prefix + std::to_string(getpid()) + kCopyExtension;
}

bool WriteRecoveryCopy(const CMerxProject& project, const std::string& copy)
{
    CTextFileWriter writer;
    if (!writer.Begin(copy.c_str()))
        return false;
    // The first piece is the block.
    bool first = true;
    const auto write = [&](const char* text, size_t length) {
        if (!first)
            return writer.Write(text, length);
        first = false;
        const std::string block = RecoveryBlock({text, length}, project.m_strFilePath);
        return !block.empty() && writer.Write(block.data(), block.size());
    };
    return project.WriteFileText(write) && writer.Commit();
}

std::string RecoveryBlock(std::string_view block, const char* origin)
{
    constexpr std::string_view begin = "###MERX_PROJECT_INFO_BEGIN\n";
    const size_t body = block.find(begin);
    if (body == std::string_view::npos)
        return {};
    const size_t at = body + begin.size();
    const CStr_base<1024> line = OriginLine(origin);
    std::string text(block.substr(0, at));
    text.append(line.GetBuffer(), line.GetLength());
    text.append(block.substr(at));
    return text;
}

bool ReadRecoveryHead(std::string head, CRecoveryCopy& copy)
{
    if (head.find('\0') != std::string::npos)
        return false;
    CollapseCrLf(head);
    CStr_base<16384> text(head.c_str());
    CStr_base<1024> body;
    if (!CutProjectInfoBlock(text, body))
        return false;
    CSettingsStore tree;
    tree.LoadText(body);
    const CSettingsStore::Value* origin = tree.GetValue(kOriginKey);
    if (!origin)
        return false;
    copy.origin.Assign(*origin);
    copy.projectName = ReadProjectInfoBody(body).projectName;
    return true;
}

bool ReadRecoveryCopy(const std::string& path, CRecoveryCopy& copy)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const CFileIdentity identity = FileIdentityOfDescriptor(fd);
    std::string head(kHeadBytes, '\0');
    size_t used = 0;
    while (used < head.size()) {
        const ssize_t got = read(fd, head.data() + used, head.size() - used);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        used += static_cast<size_t>(got);
    }
    close(fd);
    head.resize(used);
    if (!identity.exists || !ReadRecoveryHead(std::move(head), copy))
        return false;
    copy.path = path;
    copy.writtenSeconds = identity.modifiedSeconds;
    copy.writtenNanoseconds = identity.modifiedNanoseconds;
    return true;
}

std::vector<CRecoveryCopy> FindRecoveryCopies(const std::string& settings)
{
    std::string folder, prefix;
    SplitSettingsPath(settings, folder, prefix);
    std::vector<CRecoveryCopy> copies;
    for (const std::string& path : LeftoverFiles(folder, prefix, IsCopyExtension)) {
        CRecoveryCopy copy;
        if (!ReadRecoveryCopy(path, copy))
            continue;
        const CFileIdentity file =
            copy.origin.IsEmpty() ? CFileIdentity{} : FileIdentityOf(NativePath(copy.origin).c_str());
        if (!file.exists || Newer(copy, file))
            copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(), [](const CRecoveryCopy& a, const CRecoveryCopy& b) {
        return a.writtenSeconds != b.writtenSeconds ? a.writtenSeconds > b.writtenSeconds
                                                    : a.writtenNanoseconds > b.writtenNanoseconds;
    });
    return copies;
}

CStr_base<1024> RecoveryQuestion(const CRecoveryCopy& copy)
{
    const std::time_t written = static_cast<std::time_t>(copy.writtenSeconds);
    std::tm local{};
    localtime_r(&written, &local);
    CStr_base<64> when;
    when.Format("%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec);
    CStr_base<1024> question;
    question.Format(SJ("前回、保存されないまま終了したプロジェクトの回復用コピーがあります。\n"
                       "プロジェクト名：%s\nファイル：%s\n回復用コピーの日時：%s\n\n"
                       "回復用コピーを開きますか？\n"
                       "「いいえ」を選ぶと回復用コピーを削除します。"
                       "「キャンセル」を選ぶと次回の起動時にもう一度確認します。"),
                    copy.projectName.GetBuffer(),
                    copy.origin.IsEmpty() ? SJ("（一度も保存されていないプロジェクト）") : copy.origin.GetBuffer(),
                    when.GetBuffer());
    return question;
}

bool CRecoveryKeeper::Keep(const CMerxProject& project)
{
    if (!project.m_bModified) {
        Remove();
        return true;
    }
    if (!m_bStale && m_bHasCopy)
        return true;
    if (!WriteRecoveryCopy(project, m_path))
        return false;
    m_bStale = false;
    m_bHasCopy = true;
    return true;
}

void CRecoveryKeeper::Remove()
{
    if (m_bHasCopy)
        unlink(m_path.c_str());
    m_bHasCopy = false;
    m_bStale = true;
}
