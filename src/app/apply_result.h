// What became of an apply of a page's edits, or of one part of it (a save
// of the shown entry, script or sub-entry): done, refused with the messages
// that say why, or cancelled by the user at a question. The messages have
// already been shown to the user when a result carries them; the caller
// only decides whether to go on.
#pragma once

#include "foundation/str_base.h"

class CApplyResult {
public:
    // Done: the edits are in the document (or there were none).
    CApplyResult() = default;

    // Refused for `messages`, one line a reason.
    static CApplyResult Refusal(const CStr_base<1024>& messages)
    {
        CApplyResult result;
        result.m_bRefused = true;
        result.m_strMessages = messages;
        return result;
    }
    // The user cancelled a question of the apply: refused, with nothing to say.
    static CApplyResult Cancel()
    {
        CApplyResult result;
        result.m_bRefused = true;
        result.m_bCancelled = true;
        return result;
    }

    bool IsRefused() const { return m_bRefused; }
    bool IsCancelled() const { return m_bCancelled; }
    const CStr_base<1024>& Messages() const { return m_strMessages; }

    // Takes in the result of a further part of the same apply: refused when
    // either was, the messages one after the other.
    void Add(const CApplyResult& part)
    {
        m_bRefused = m_bRefused || part.m_bRefused;
        m_bCancelled = m_bCancelled || part.m_bCancelled;
        m_strMessages.Append(part.m_strMessages);
    }

private:
    bool m_bRefused = false;
    bool m_bCancelled = false;
    CStr_base<1024> m_strMessages;
};
