// No caption is cut: every label, check box, button and group box of every
// template shows its whole text in the dialog font, as the font and the
// scale of the screen make it (the program's tests run this at
// QT_SCALE_FACTOR 1, 1.5 and 2).
#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <sstream>

#include "../temp_folder.h"
#include "app/about_dlg.h"
#include "app/edit_dlg.h"
#include "app/err_info_dlg.h"
#include "shell/main_dlg.h"
#include "app/preferences_dlg.h"
#include "app/project_info_dlg.h"
#include "pages/item_ex_dlg_template.h"
#include "qt_fixture.h"
#include "tools/item_sort_dlg.h"
#include "ui/qt/qt_text.h"

namespace {

// A window of a template and nothing else.
class CBareDlg : public CDialogBase {
public:
    using CDialogBase::CDialogBase;
    ~CBareDlg() override { DestroyWindow(); }
};

class QtCaptionsTest : public QtTest {
protected:
    // The room the caption of `control` needs beside its text.
    static int Chrome(const CQtControl& control)
    {
        const QStyle* style = control.widget->style();
        switch (control.kind) {
        case UiControlKind::kButton:
            return 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control.widget) +
                   2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control.widget);
        case UiControlKind::kCheck:
            return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control.widget) +
                   style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control.widget);
        case UiControlKind::kGroup:
            return 2 * style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, control.widget);
        default:
            return 0;
        }
    }

    // The captions of the window of `dialog` that do not fit their control,
    // one line each.
    static std::string Cut(const char* name, const CUiDialogTemplate& t)
    {
        CBareDlg dialog(t);
        if (!dialog.Create())
            return std::string(name) + ": no window\n";
        std::ostringstream cut;
        for (const CQtControl& control : WindowOf(dialog).Controls()) {
            const bool captioned = control.kind == UiControlKind::kStatic || control.kind == UiControlKind::kCheck ||
                                   control.kind == UiControlKind::kButton || control.kind == UiControlKind::kGroup;
            if (!captioned || control.shown.isEmpty())
                continue;
            const QFontMetrics metrics(control.widget->font());
            int width = 0;
            const QStringList lines = QtWithoutMnemonics(control.shown).split(QLatin1Char('\n'));
            for (const QString& line : lines)
                width = std::max(width, metrics.horizontalAdvance(line));
            const int needW = width + Chrome(control);
            const int needH = control.kind == UiControlKind::kGroup ? 0 : metrics.height() * static_cast<int>(lines.size());
            if (needW > control.widget->width() || needH > control.widget->height())
                cut << name << " #" << control.id << " \"" << control.shown.toStdString() << "\" needs " << needW << "x"
                    << needH << ", has " << control.widget->width() << "x" << control.widget->height() << "\n";
        }
        dialog.DestroyWindow();
        return cut.str();
    }
};

TEST_F(QtCaptionsTest, EveryCaptionOfEveryTemplateFitsItsControl)
{
    TempFolder folder;
    CEditorStartup startup;
    startup.programFolder = PathTextFromNative(folder.Path(""));
    CMainDlg main(startup);
    CSettingsStore settings;
    CRuleTable rules;
    CItemPreviousOrder previous;
    const CAboutDlg about;
    const CPreferencesDlg preferences(settings);
    const CProjectInfoDlg info(rules);
    const CEditDlg edit(settings, main, main.EditFont());
    const CErrInfoDlg errors(settings, nullptr, nullptr);
    const CItemSortDlg sort(main, previous, nullptr);
    const struct {
        const char* name;
        const CUiDialogTemplate& t;
    } templates[] = {
        {"main", main.Template()},
        {"item page", main.Page(CMainDlg::kItemTab).Template()},
        {"event page", main.Page(CMainDlg::kEventTab).Template()},
        {"function page", main.Page(CMainDlg::kFuncTab).Template()},
        {"definition page", main.Page(CMainDlg::kDefineTab).Template()},
        {"arrangement page", main.Page(CMainDlg::kSetTab).Template()},
        {"project page", main.Page(CMainDlg::kProjectTab).Template()},
        {"find", main.FindReplace().Template()},
        {"results", main.ToolResults().Template()},
        {"direct input", main.DirectInput().Template()},
        {"about", about.Template()},
        {"preferences", preferences.Template()},
        {"project information", info.Template()},
        {"separate window", edit.Template()},
        {"error information", errors.Template()},
        {"sort", sort.Template()},
        {"extension fields", ItemExDlgTemplate()},
    };
    std::string cut;
    for (const auto& entry : templates)
        cut += Cut(entry.name, entry.t);
    EXPECT_EQ(cut, "") << "at QT_SCALE_FACTOR " << qgetenv("QT_SCALE_FACTOR").toStdString() << ", "
                       << QApplication::font().family().toStdString();
}

}  // namespace
