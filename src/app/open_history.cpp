#include "app/open_history.h"

#include <string_view>

#include "settings/setting_keys.h"

namespace {

void WriteList(CSettingsStore& settings, const char* path, const CStrArray_base<64>& list)
{
    CStr_base<64> key;
    for (uint32_t i = 0; i < list.GetCount(); ++i) {
        key.Format("%s[%d]", path, static_cast<int>(i));
        settings.GetValueForWrite(key)->Assign(list[i]);
    }
}

// Puts `text` in front of the other entries.
void PutFirst(CStrArray_base<64>& list, const char* text)
{
    list.Add()->Assign(text);
    for (uint32_t i = list.GetCount() - 1; i > 0; --i)
        list.Exchange(i, i - 1);
}

} // namespace

void ReadOpenHistory(const CSettingsStore& settings, COpenHistory& history)
{
    history.paths.RemoveAll();
    history.infos.RemoveAll();
    if (!HasRootSection(settings, kOpenHistorySection))
        return;
    settings.GetList(kHistoryPathKey, history.paths);
    settings.GetList(kHistoryInfoKey, history.infos);
}

void AddToOpenHistory(CSettingsStore& settings, const char* path, const char* projectName, const char* ruleName,
                      COpenHistory& history)
{
    EnsureRootSection(settings, kOpenHistorySection);
    ReadOpenHistory(settings, history);
    for (uint32_t i = 0; i < history.paths.GetCount(); ++i) {
        if (history.paths[i] == path) {
            history.paths.RemoveAt(i);
            if (i < history.infos.GetCount())
                history.infos.RemoveAt(i);
            break;
        }
    }
    CStr_base<64> info;
    info.Format("%s / %s", projectName, ruleName);
    PutFirst(history.paths, path);
    PutFirst(history.infos, info);
    if (history.paths.GetCount() > kOpenHistoryMenuMax) {
        history.paths.RemoveTail();
        if (history.infos.GetCount() > 0)
            history.infos.RemoveTail();
    }
    // Entries are only ever replaced in the store: lists never shrink below
    // what they held, so every entry read is written back.
    WriteList(settings, kHistoryPathKey, history.paths);
    WriteList(settings, kHistoryInfoKey, history.infos);
}

CStr_base<64> HistoryPathNote(const char* path)
{
    constexpr size_t kShown = 60;
    const std::string_view whole(path);
    if (whole.size() <= kShown)
        return CStr_base<64>(path);
    // Cut at a "/", which is never the second byte of a character.
    size_t from = whole.size() - (kShown - 3);
    from = whole.find('/', from);
    if (from == std::string_view::npos)
        from = whole.rfind('/');
    CStr_base<64> note("...");
    note.Append(path + from);
    return note;
}
