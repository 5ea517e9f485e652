#include "services/HelpTopics.h"

#include "ui/Form.h"
#include "ui/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vel {

namespace {

QString helpFileSet;

HelpTopic topic(int context, const char* formName, const char* page, const char* title) {
    return {context, QString::fromLatin1(formName), QString::fromLatin1(page),
            QString::fromUtf8(title)};
}

bool holdsContents(const QString& folder) {
    return !folder.isEmpty() && QFileInfo::exists(folder + QStringLiteral("/index.html"));
}

}  // namespace

const std::vector<HelpTopic>& helpTopics() {
    // Numbers by area: 1000 master tables, 2000 reports, 3000 imports and exports, 4000 new
    // systems, 5000 jobs without a window, 9000 the program's own windows; 11000 is the number
    // the activity-detail export gives its report wizard.
    static const std::vector<HelpTopic> topics = {
        topic(9000, "MainWindow", "main-window.html", "The main window"),
        topic(5080, "", "command-line.html", "Unattended runs: call, script and exit status"),
        topic(1100, "TBEditForm", "list-window.html", "The table list window"),
        topic(1110, "frmOKtoView", "table-access.html", "Open Table"),
        topic(1120, "frmDelete", "delete-record.html", "OK to Delete?"),
        topic(1010, "frmActivity", "activity-editor.html", "Activities"),
        topic(1020, "frmElement", "element-editor.html", "Elements"),
        topic(1030, "frmAllocation", "allocation-editor.html", "Allocations"),
        topic(1040, "frmMistake", "mistake-editor.html", "Mistakes"),
        topic(1080, "frmWorkCenter", "work-center-editor.html", "Work Centers"),
        topic(1090, "frmTypeofWork", "type-of-work-editor.html", "Types of Work"),
        topic(1050, "frmEmployee", "associate-editor.html", "Associates"),
        topic(1060, "frmSettings", "settings-editor.html", "Settings"),
        topic(1070, "frmTitle", "title-editor.html", "System Title"),
        topic(1130, "dlgYesToAll", "yes-to-all.html", "Questions with Yes to All"),
        topic(2010, "frmEmployeeList", "production-report.html", "Associate production analysis"),
        topic(2020, "frmEmployeeQual", "quality-report.html", "Associate quality analysis"),
        topic(2030, "frmEmployeeAccountability", "accountability-report.html",
              "Associate accountability report"),
        topic(2040, "frmQuickReport", "quick-report.html", "Quick Report"),
        topic(2050, "dlgRepPrint", "report-options.html", "Print a Report"),
        topic(2060, "", "day-listing.html", "List of day information"),
        topic(3060, "dlgValTables", "table-export.html", "Table export"),
        topic(3050, "dlgExport", "export-options.html", "Export Options"),
        topic(3010, "frmImport", "import-file.html", "Import File"),
        topic(3020, "frmOKtoImport", "import-information.html", "Import Information"),
        topic(3030, "frmImportShow", "import-confirm.html", "OK to Import?"),
        topic(3040, "frmImportLog", "import-log.html", "The import log"),
        topic(5070, "", "unattended-imports.html", "Imports without a window"),
        topic(11000, "", "activity-detail.html", "Activity detail export"),
        topic(4000, "frmAddSys", "new-system.html", "Add a New System"),
        topic(4100, "frmPeriod", "fiscal-periods.html", "Fiscal Periods"),
        topic(5040, "", "clone-system.html", "Cloning a system"),
        topic(5010, "", "week-end.html", "Week-end processing"),
        topic(5020, "", "backup.html", "Backup"),
        topic(5030, "", "transfers.html", "Transfers and downloads"),
        topic(5050, "", "corporate-control.html", "Corporate control files"),
        topic(5060, "", "standards-maintenance.html", "Standards maintenance"),
        topic(9010, "frmGallery", "control-gallery.html", "Control Gallery"),
    };
    return topics;
}

int helpContextForForm(const QString& formName) {
    for (const HelpTopic& topic : helpTopics()) {
        if (!topic.formName.isEmpty() && topic.formName == formName) {
            return topic.context;
        }
    }
    return 0;
}

QString helpPageForContext(int context) {
    for (const HelpTopic& topic : helpTopics()) {
        if (topic.context == context) {
            return topic.page;
        }
    }
    return QStringLiteral("index.html");
}

int helpContextForPage(const QString& page) {
    for (const HelpTopic& topic : helpTopics()) {
        if (topic.page == page) {
            return topic.context;
        }
    }
    return 0;
}

QString helpFolder() {
    const QString fromEnvironment = qEnvironmentVariable("VELMOR_HELP_DIR");
    if (!fromEnvironment.isEmpty()) {
        return holdsContents(fromEnvironment) ? QDir::cleanPath(fromEnvironment) : QString();
    }
    QStringList candidates;
    if (QCoreApplication::instance()) {
        candidates << QCoreApplication::applicationDirPath() +
                          QStringLiteral("/../share/velmor/help");
    }
    candidates << QStringLiteral("/usr/share/velmor/help");
    for (const QString& folder : candidates) {
        if (holdsContents(folder)) {
            return QDir::cleanPath(folder);
        }
    }
    return {};
}

QString helpContentsFile() {
    const QString folder = helpFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/index.html");
}

QString helpFileForContext(const QString& helpFile, int context) {
    const QFileInfo file(helpFile);
    const QString suffix = file.suffix().toLower();
    if (helpFile.isEmpty() || (suffix != u"html" && suffix != u"htm")) {
        return helpFile;
    }
    return QDir::cleanPath(file.absolutePath() + u'/' + helpPageForContext(context));
}

QString helpFileInUse() {
    return helpFileSet.isEmpty() ? helpContentsFile() : helpFileSet;
}

void setHelpFileInUse(const QString& helpFile) {
    helpFileSet = helpFile;
}

ScopedHelpFile::ScopedHelpFile(const QString& helpFile) : previous_(helpFileSet) {
    helpFileSet = helpFile;
}

ScopedHelpFile::~ScopedHelpFile() {
    helpFileSet = previous_;
}

void showHelpTopic(int context) {
    currentUi().showHelp(helpFileInUse(), context);
}

void showWindowHelp(const Form& form) {
    currentUi().showHelp(helpFileInUse(), form.helpContextID());
}

}  // namespace vel
