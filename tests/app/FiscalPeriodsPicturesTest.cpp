// The fiscal-periods wizard's pages, saved as pictures.
#include "EditorPictures.h"

#include "host/ReferenceMasterfile.h"
#include "reports/frmPeriod.h"
#include "ui/FormDriver.h"

namespace vel::testing {
namespace {

// A new system's master file starting on 1 January 2024, and a headless Ui.
struct PeriodPictureSite {
    PeriodPictureSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        const QString path = directory.path() + QStringLiteral("/TBMASTER.1");
        MasterfileSettings settings;
        settings.title = QStringLiteral("Northgate Distribution");
        settings.firstYear = 2024;
        settings.firstYearStart = QDate(2024, 1, 1);
        QString error;
        EXPECT_TRUE(ReferenceMasterfile::create(path, settings, &error)) << error.toStdString();
        masterfile = std::make_unique<ReferenceMasterfile>(
            path, directory.path() + QStringLiteral("/TBLOCK.1"));
    }
    QTemporaryDir directory;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceMasterfile> masterfile;
};

TEST(EditorPictures, FiscalPeriodsWizardPages) {
    PeriodPictureSite site;
    site.ui.when(QStringLiteral("frmPeriod"), [](FormDriver& wizard) {
        saveWindowPicture(wizard.form(), QStringLiteral("fiscal-periods-type"));
        wizard.click(QStringLiteral("optFiscal(2)"));
        wizard.click(QStringLiteral("Command1(2)"));
        wizard.set(QStringLiteral("txtPeriods"), QStringLiteral("14"));
        wizard.set(QStringLiteral("Weeks(0)"), QStringLiteral("3"));
        wizard.set(QStringLiteral("Weeks(1)"), QStringLiteral("3"));
        wizard.set(QStringLiteral("PeriodName(12)"), QStringLiteral("Peak Season"));
        wizard.set(QStringLiteral("Weeks(12)"), QStringLiteral("1"));
        wizard.set(QStringLiteral("VScroll1"), QStringLiteral("2"));
        wizard.set(QStringLiteral("PeriodName(12)"), QStringLiteral("Year End"));
        wizard.set(QStringLiteral("Weeks(12)"), QStringLiteral("1"));
        saveWindowPicture(wizard.form(), QStringLiteral("fiscal-periods-weeks"));
        wizard.click(QStringLiteral("Command1(2)"));
        saveWindowPicture(wizard.form(), QStringLiteral("fiscal-periods-summary"));
        wizard.click(QStringLiteral("Command1(3)"));
        wizard.click(QStringLiteral("Command1(3)"));
        wizard.click(QStringLiteral("optFiscal(5)"));
        wizard.click(QStringLiteral("Command1(2)"));
        wizard.set(QStringLiteral("Combo1"), QStringLiteral("February"));
        saveWindowPicture(wizard.form(), QStringLiteral("fiscal-periods-month"));
        wizard.click(QStringLiteral("Command1(2)"));
        saveWindowPicture(wizard.form(), QStringLiteral("fiscal-periods-halves"));
        wizard.click(QStringLiteral("Command1(1)"));
    });
    frmPeriod window;
    EXPECT_FALSE(window.Edit(0, *site.masterfile));
}

// One rendered window through the pages: it takes each page's size, so that the buttons stay
// at its foot when a smaller page follows a larger one.
TEST(EditorPictures, FiscalPeriodsWindowFollowsItsPage) {
    PeriodPictureSite site;
    site.ui.when(QStringLiteral("frmPeriod"), [](FormDriver& wizard) {
        FormRenderer renderer(wizard.form());
        renderer.dialog()->show();
        const auto height = [&] {
            renderer.flush();
            QCoreApplication::processEvents();
            return renderer.dialog()->height();
        };
        const int typePage = height();
        wizard.click(QStringLiteral("Command1(2)"));
        const int weeksPage = height();
        EXPECT_GT(weeksPage, typePage + 200);
        wizard.click(QStringLiteral("Command1(3)"));
        EXPECT_EQ(height(), typePage);
        wizard.click(QStringLiteral("optFiscal(4)"));
        wizard.click(QStringLiteral("Command1(2)"));
        EXPECT_LT(height(), typePage) << "the first-month page is the smallest";
        wizard.click(QStringLiteral("Command1(1)"));
    });
    frmPeriod window;
    EXPECT_FALSE(window.Edit(0, *site.masterfile));
}

}  // namespace
}  // namespace vel::testing
