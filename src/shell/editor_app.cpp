#include "shell/editor_app.h"

#include <memory>

#include "shell/main_dlg.h"

void CEditorApp::Run()
{
    // The main dialog holds the whole document: it lives on the heap.
    const auto main = std::make_unique<CMainDlg>(m_startup);
    main->DoModal();
}
