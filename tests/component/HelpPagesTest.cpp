// The help set: every window and job has a page of its own that exists in the help folder, F1
// and the "&Help" buttons of different windows open different pages, and a context number finds
// its page beside whatever help file the system names.
#include "editors/EditorHarness.h"
#include "editors/dlgValTables.h"
#include "editors/dlgYesToAll.h"
#include "editors/frmActivity.h"
#include "editors/frmAllocation.h"
#include "editors/frmDelete.h"
#include "editors/frmElement.h"
#include "editors/frmEmployee.h"
#include "editors/frmMistake.h"
#include "editors/frmOKtoView.h"
#include "editors/frmSettings.h"
#include "editors/frmTitle.h"
#include "editors/frmTypeofWork.h"
#include "editors/frmWorkCenter.h"
#include "editors/shell/TBEditForm.h"
#include "maintenance/ActivityDetailExport.h"
#include "maintenance/dlgExport.h"
#include "maintenance/frmAddSys.h"
#include "maintenance/frmImport.h"
#include "maintenance/frmImportLog.h"
#include "maintenance/frmImportShow.h"
#include "maintenance/frmOKtoImport.h"
#include "reports/dlgRepPrint.h"
#include "reports/frmEmployeeAccountability.h"
#include "reports/frmEmployeeList.h"
#include "reports/frmEmployeeQual.h"
#include "reports/frmPeriod.h"
#include "reports/frmQuickReport.h"
#include "services/HelpTopics.h"
#include "ui/ScriptLine.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <memory>

namespace vel::testing {

namespace {

QString pageText(const QString& page) {
    QFile file(helpFolder() + u'/' + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// One of every window the component shows.
std::vector<std::unique_ptr<Form>> everyWindow(EditFormEvents& listEvents) {
    std::vector<std::unique_ptr<Form>> windows;
    windows.push_back(std::make_unique<TBEditForm>(listEvents));
    windows.push_back(std::make_unique<frmOKtoView>());
    windows.push_back(std::make_unique<frmDelete>());
    windows.push_back(std::make_unique<dlgYesToAll>());
    windows.push_back(std::make_unique<frmActivity>());
    windows.push_back(std::make_unique<frmElement>());
    windows.push_back(std::make_unique<frmAllocation>());
    windows.push_back(std::make_unique<frmMistake>());
    windows.push_back(std::make_unique<frmWorkCenter>());
    windows.push_back(std::make_unique<frmTypeofWork>());
    windows.push_back(std::make_unique<frmEmployee>());
    windows.push_back(std::make_unique<frmSettings>());
    windows.push_back(std::make_unique<frmTitle>());
    windows.push_back(std::make_unique<dlgValTables>());
    windows.push_back(std::make_unique<dlgExport>());
    windows.push_back(std::make_unique<frmImport>());
    windows.push_back(std::make_unique<frmOKtoImport>());
    windows.push_back(std::make_unique<frmImportShow>());
    windows.push_back(std::make_unique<frmImportLog>());
    windows.push_back(std::make_unique<frmAddSys>());
    windows.push_back(std::make_unique<frmPeriod>());
    windows.push_back(std::make_unique<dlgRepPrint>());
    windows.push_back(std::make_unique<frmEmployeeList>());
    windows.push_back(std::make_unique<frmEmployeeQual>());
    windows.push_back(std::make_unique<frmEmployeeAccountability>());
    windows.push_back(std::make_unique<frmQuickReport>());
    return windows;
}

TEST(HelpPages, EveryTopicAndEveryWindowHasItsOwnPageInTheHelpFolder) {
    ASSERT_FALSE(helpFolder().isEmpty()) << "no help folder beside the test program";
    const QString contents = pageText(QStringLiteral("index.html"));
    QSet<int> contexts;
    QSet<QString> pages;
    QSet<QString> forms;
    for (const HelpTopic& topic : helpTopics()) {
        SCOPED_TRACE(topic.page.toStdString());
        EXPECT_FALSE(contexts.contains(topic.context)) << "context used twice";
        EXPECT_FALSE(pages.contains(topic.page)) << "page used twice";
        contexts << topic.context;
        pages << topic.page;
        if (!topic.formName.isEmpty()) {
            EXPECT_FALSE(forms.contains(topic.formName)) << "window with two pages";
            forms << topic.formName;
        }
        const QString text = pageText(topic.page);
        EXPECT_TRUE(text.contains(QStringLiteral("<h1>") + topic.title.toHtmlEscaped() +
                                  QStringLiteral("</h1>")))
            << "the page is missing or not headed by its topic's title";
        EXPECT_TRUE(contents.contains(QStringLiteral("href=\"") + topic.page + u'"'))
            << "not on the contents";
        EXPECT_EQ(helpPageForContext(topic.context), topic.page);
    }
    // Every page of the folder belongs to a topic: no page is left out of the table.
    const QStringList files = QDir(helpFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
    EXPECT_EQ(files.size(), pages.size() + 1) << files.join(u' ').toStdString();

    EditorHarness h;
    EditFormEvents listEvents;
    QSet<QString> windowPages;
    for (const auto& window : everyWindow(listEvents)) {
        SCOPED_TRACE(window->name().toStdString());
        const int context = window->helpContextID();
        EXPECT_NE(context, 0);
        windowPages << helpPageForContext(context);
    }
    EXPECT_EQ(windowPages.size(), 26) << "two windows share a page";
    EXPECT_FALSE(windowPages.contains(QStringLiteral("index.html")));
    // The wizards' Help buttons pass their own numbers; they must name the same topics.
    EXPECT_EQ(helpContextForForm(QStringLiteral("frmPeriod")), frmPeriod::HelpContext);
    EXPECT_EQ(helpContextForForm(QStringLiteral("frmAddSys")), 4000);
    EXPECT_EQ(helpPageForContext(ActivityDetailExport::HelpContext), "activity-detail.html");
}

TEST(HelpPages, F1AndTheHelpButtonsOfThreeWindowsOpenThreeDifferentPages) {
    EditorHarness h;
    h.site.setSetting(QStringLiteral("Features"), QStringLiteral("MistakeTracking"),
                      QStringLiteral("1"));
    h.reopen();
    QStringList pressed;
    h.ui.when(QStringLiteral("TBEditForm"), [&](FormDriver& list) {
        list.pressHelp();
        list.click(QStringLiteral("btnHelp"));
        list.click(QStringLiteral("btnAdd"));
        list.click(QStringLiteral("btnCancel"));
    });
    h.ui.when(QStringLiteral("frmMistake"), [&](FormDriver& record) {
        record.pressHelp();
        record.click(QStringLiteral("SaveButtons1(2)"));
    });
    h.component.EditMistakes(0, *h.system);
    h.ui.when(QStringLiteral("frmTitle"), [&](FormDriver& window) {
        window.pressHelp();
        window.click(QStringLiteral("SaveButtons1(2)"));
    });
    h.component.EditTitle(0, *h.system);
    h.ui.when(QStringLiteral("frmAddSys"), [&](FormDriver& wizard) {
        wizard.pressHelp();
        wizard.click(QStringLiteral("Command1(0)"));
        wizard.click(QStringLiteral("Command1(1)"));
    });
    h.component.CreateNewSystem(0, *h.system);

    for (const QString& line : h.ui.transcript().lines()) {
        if (line.startsWith(u"help: ")) {
            pressed << line.mid(6);
        }
    }
    // The list and the record window of one editor share the editor's page.
    EXPECT_EQ(pressed,
              (QStringList{"mistake-editor.html", "mistake-editor.html", "mistake-editor.html",
                           "title-editor.html", "new-system.html", "new-system.html"}));
    for (const QString& page : pressed) {
        EXPECT_TRUE(QFile::exists(helpFolder() + u'/' + page)) << page.toStdString();
    }
}

TEST(HelpPages, AContextOpensThePageBesideAnHtmlHelpFileAndAnyOtherHelpFileWhole) {
    EXPECT_EQ(helpFileForContext(QStringLiteral("/srv/help/index.html"), 1040),
              "/srv/help/mistake-editor.html");
    EXPECT_EQ(helpFileForContext(QStringLiteral("/srv/help/index.html"), 0),
              "/srv/help/index.html");
    EXPECT_EQ(helpFileForContext(QStringLiteral("/srv/help/index.html"), 777),
              "/srv/help/index.html")
        << "an unknown number opens the contents";
    EXPECT_EQ(helpFileForContext(QStringLiteral("/srv/site/velmor.hlp"), 1040),
              "/srv/site/velmor.hlp");
    EXPECT_EQ(helpFileForContext(QString(), 1040), QString());
    EXPECT_EQ(helpContextForForm(QStringLiteral("frmNoSuchWindow")), 0);

    // A script's "help" action presses F1 in the window it drives.
    EditorHarness h;
    setHelpFileInUse(QString());  // no operation named one: the contents of the help folder
    frmTitle title;
    FormDriver driver(title, h.ui.transcript(),
                      [](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    EXPECT_EQ(applyWindowAction(driver, ScriptLine::parse(QStringLiteral("help"), 1)), QString());
    EXPECT_EQ(h.ui.transcript().lines().value(0), "help: title-editor.html");

    // Without a help folder the program says so instead of opening nothing.
    QTemporaryDir empty;
    qputenv("VELMOR_HELP_DIR", empty.path().toUtf8());
    setHelpFileInUse(QString());
    EXPECT_EQ(helpFolder(), QString());
    showWindowHelp(title);
    qunsetenv("VELMOR_HELP_DIR");
    EXPECT_EQ(h.ui.transcript().lines().value(1), "help: (no help file)");
}

}  // namespace
}  // namespace vel::testing
