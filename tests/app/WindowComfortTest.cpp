// Window comfort in the Qt front end: list windows open large enough for twenty lines and every
// column, come back where and as large as the person left them, per table; the main window
// remembers the data folders it worked on; long jobs show a progress window after a second,
// whose Cancel reaches only jobs that can stop. Settings live in the test run's temporary folder.
#include "EditorPictures.h"

#include "app/velmor/JobProgress.h"
#include "app/velmor/MainWindow.h"
#include "app/velmor/RecentFolders.h"
#include "component/CVelUI.h"
#include "editors/shell/TBEditForm.h"
#include "host/HostTestSupport.h"
#include "services/IniSettings.h"
#include "ui/FormDriver.h"
#include "ui/MessageBoxCodes.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/WindowMemory.h"

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTreeWidget>

namespace vel::testing {
namespace {

const QRect desktop(0, 0, 1920, 1080);

void forgetWindows() {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmor"),
              QStringLiteral("windows"))
        .clear();
}

// A list window of the editor shell with the columns and lines given, rendered as a dialog.
struct ListWindow {
    ListWindow(const QString& caption, int columns, int lines) : list(events) {
        list.setCaption(caption);
        for (int column = 0; column < columns; ++column) {
            list.addColumn(QStringLiteral("Column %1").arg(column), column);
        }
        for (int line = 1; line <= lines; ++line) {
            QStringList texts;
            for (int column = 0; column < columns; ++column) {
                texts << QStringLiteral("Text %1-%2").arg(line).arg(column);
            }
            list.addLine(line, texts);
        }
        list.load();
        renderer = std::make_unique<FormRenderer>(list);
    }
    QWidget& dialog() { return *renderer->dialog(); }
    QTreeWidget& tree() { return *dialog().findChild<QTreeWidget*>(); }
    void show() {
        dialog().show();
        QCoreApplication::processEvents();
    }

    EditFormEvents events;
    TBEditForm list;
    std::unique_ptr<FormRenderer> renderer;
};

// Whether every column shows whole and at least the lines fit without scrolling.
void expectWholeColumnsAndLines(QTreeWidget& tree, int lines) {
    EXPECT_EQ(tree.horizontalScrollBar()->maximum(), 0) << "a column is cut off";
    const int row = tree.visualItemRect(tree.topLevelItem(0)).height();
    ASSERT_GT(row, 0);
    EXPECT_GE(tree.viewport()->height() / row, lines);
}

TEST(WindowComfort, TheAssociateListOpensShowingTwentyLinesAndEveryColumnAndCanBeResized) {
    forgetWindows();
    DemoEditorSite site;
    IniSettings settings(IniSettings::locationFor(site.directory.path(), 1));
    settings.selectSection(QStringLiteral("Features"));
    settings.writeText(QStringLiteral("Incentive"), QStringLiteral("1"));
    settings.writeText(QStringLiteral("PerformancePolicy"), QStringLiteral("1"));
    site.ui.when(QStringLiteral("TBEditForm"), [](FormDriver& list) {
        FormRenderer renderer(list.form());
        QWidget& dialog = *renderer.dialog();
        WindowMemory::restore(dialog, WindowMemory::keyFor(list.form()), desktop);
        dialog.show();
        QCoreApplication::processEvents();
        auto& tree = *dialog.findChild<QTreeWidget*>();
        EXPECT_GE(tree.columnCount(), 15);
        expectWholeColumnsAndLines(tree, WindowMemory::listLines);
        EXPECT_LT(dialog.minimumSizeHint().width(), dialog.width()) << "cannot be made smaller";
        EXPECT_EQ(dialog.maximumWidth(), QWIDGETSIZE_MAX) << "cannot be made larger";
        const QImage picture = dialog.grab().toImage();
        EXPECT_TRUE(
            picture.save(editorPictureFolder() + QStringLiteral("/associate-list-default.png")));
        list.click(QStringLiteral("btnCancel"));
    });
    CVelUI component;
    component.EditAssociate(0, *site.system);
}

TEST(WindowComfort, AListWindowComesBackAsLeftPerTableAndOnlyWhereItStillFits) {
    forgetWindows();
    {
        ListWindow mistakes(QStringLiteral("Mistake Table (readonly)"), 3, 40);
        WindowMemory::restore(mistakes.dialog(), WindowMemory::keyFor(mistakes.list), desktop);
        mistakes.show();
        expectWholeColumnsAndLines(mistakes.tree(), WindowMemory::listLines);
        mistakes.dialog().resize(760, 430);
        mistakes.dialog().move(40, 30);
        mistakes.tree().header()->resizeSection(1, 222);
        WindowMemory::remember(mistakes.dialog(), WindowMemory::keyFor(mistakes.list));
    }
    // The same table, whether opened for viewing or changes, comes back as it was left.
    ListWindow again(QStringLiteral("Mistake Table"), 3, 40);
    EXPECT_EQ(WindowMemory::keyFor(again.list), "TBEditForm/Mistake Table");
    WindowMemory::restore(again.dialog(), WindowMemory::keyFor(again.list), desktop);
    EXPECT_EQ(again.dialog().size(), QSize(760, 430));
    EXPECT_EQ(again.dialog().pos(), QPoint(40, 30));
    EXPECT_EQ(again.tree().header()->sectionSize(1), 222);

    // Another table of the same list window has its own memory: the default size.
    ListWindow elements(QStringLiteral("Element Table"), 3, 40);
    WindowMemory::restore(elements.dialog(), WindowMemory::keyFor(elements.list), desktop);
    EXPECT_NE(elements.dialog().size(), QSize(760, 430));

    // A smaller screen than the one it was left on: the default size within that screen.
    ListWindow small(QStringLiteral("Mistake Table"), 3, 40);
    WindowMemory::restore(small.dialog(), WindowMemory::keyFor(small.list),
                          QRect(900, 0, 600, 400));
    EXPECT_LE(small.dialog().width(), 600);
    EXPECT_LE(small.dialog().height(), 400);

    // Columns saved for another set of columns are not forced on a different one.
    ListWindow wider(QStringLiteral("Mistake Table"), 5, 40);
    WindowMemory::restore(wider.dialog(), WindowMemory::keyFor(wider.list), desktop);
    EXPECT_NE(wider.tree().header()->sectionSize(1), 222);
}

TEST(WindowComfort, TheMainWindowKeepsTheRecentDataFoldersAndDropsOnesThatNoLongerOpen) {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmor"),
              QStringLiteral("velmor"))
        .clear();
    for (int number = 1; number <= RecentFolders::kept + 2; ++number) {
        RecentFolders::add({QStringLiteral("/srv/site%1").arg(number), 1});
    }
    RecentFolders::add({QStringLiteral("/srv/site3/"), 2});  // again, now system 2
    std::vector<RecentFolder> recent = RecentFolders::load();
    ASSERT_EQ(int(recent.size()), RecentFolders::kept);
    EXPECT_EQ(recent[0], (RecentFolder{QStringLiteral("/srv/site3"), 2}));
    EXPECT_EQ(recent[1].folder, "/srv/site8");
    EXPECT_EQ(recent.back().folder, "/srv/site4") << "the oldest fall off";

    TestSite site;
    HeadlessUi headless;
    ScopedUi scope(headless);
    headless.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    QtUi ui;
    MainWindow window(ui, site.open());
    recent = RecentFolders::load();
    EXPECT_EQ(recent.front(), (RecentFolder{QDir::cleanPath(site.folder), 1}))
        << "the folder the window works on is the last one";
    QMenu* file = window.menuNamed(QStringLiteral("File"));
    ASSERT_NE(file, nullptr);
    QMenu* menu = file->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().size(), RecentFolders::kept);
    EXPECT_TRUE(menu->actions().value(0)->text().contains(QDir::cleanPath(site.folder)));

    headless.answer(QStringLiteral("Cannot open the system"), IDOK);
    window.openRecent({QStringLiteral("/srv/site8"), 1});
    recent = RecentFolders::load();
    EXPECT_TRUE(std::none_of(recent.begin(), recent.end(), [](const RecentFolder& kept) {
        return kept.folder == u"/srv/site8";
    }));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Test Site")))
        << "still on its system";
}

TEST(WindowComfort, ALongJobShowsAProgressWindowWhoseCancelReachesOnlyAJobThatCanStop) {
    qint64 now = 0;
    int cancelled = 0;
    QWidget owner;
    JobProgress progress(
        &owner, [&] { ++cancelled; }, [&] { return now; });

    progress.status(QStringLiteral("Importing"), 40);  // no job running: the status bar only
    EXPECT_EQ(progress.window(), nullptr);
    progress.jobStarted();
    now = 900;
    progress.status(QStringLiteral("Importing"), 10);
    EXPECT_EQ(progress.window(), nullptr) << "a job shorter than a second shows no window";
    now = 1200;
    progress.status(QStringLiteral("Importing"), 55);
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->value(), 55);
    EXPECT_EQ(progress.window()->labelText(), "Importing");
    auto* cancel = progress.window()->findChild<QPushButton*>();
    EXPECT_FALSE(cancel->isEnabled()) << "this step cannot stop";
    progress.window()->canceled();
    EXPECT_EQ(cancelled, 0);

    progress.setCancellable(true);
    EXPECT_TRUE(cancel->isEnabled());
    cancel->click();
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(progress.window()->labelText().endsWith(QStringLiteral("Stopping...")));
    EXPECT_TRUE(progress.window()->isVisible()) << "the window stays until the job has stopped";

    progress.status(QString(), 100);
    EXPECT_EQ(progress.window(), nullptr) << "the step ended";
    progress.status(QStringLiteral("Exporting"), 20);
    ASSERT_NE(progress.window(), nullptr) << "a later slow step of the same job";
    progress.jobEnded();
    EXPECT_EQ(progress.window(), nullptr);
}

}  // namespace
}  // namespace vel::testing
