#include "pages/filtered_list_page.h"

#include "app/notify_ready.h"

void CFilteredListPage::OnFilterChanged()
{
    CStr_base<64> text;
    Control(m_nFilterBox).GetText(text);
    if (text.IsEmpty() && !m_filter.IsActive())
        return;
    // A keystroke that keeps the same elements leaves the list as it is.
    if (Refilter())
        FillList();
    EnableMoveButtons();
}

bool CFilteredListPage::Refilter()
{
    CStr_base<64> text;
    Control(m_nFilterBox).GetText(text);
    return m_filter.Refilter(text.GetBuffer(), FilterCount(),
                             [this](uint32_t i, CListFilter::CTexts& texts) { AddFilterTexts(i, texts); });
}

void CFilteredListPage::RefillList()
{
    Refilter();
    FillList();
    EnableMoveButtons();
}

void CFilteredListPage::ClearFilter()
{
    if (!m_filter.IsActive())
        return;
    m_filter.Clear();
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        Control(m_nFilterBox).SetText("");
    }
    FillList();
    EnableMoveButtons();
}
