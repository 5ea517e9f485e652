// The automatic export after a change: which tables, in which order, where (directly or through
// the temporary folder), the command run afterwards, and every failure message.
#include "ExportSite.h"

#include "maintenance/AutomaticTableExport.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>

#include <sys/stat.h>

namespace vel::testing {
namespace {

QStringList baseNames(const QList<ValidationTable>& tables) {
    QStringList names;
    for (const ValidationTable table : tables) {
        names << validationTableInfo(table).baseName;
    }
    return names;
}

struct AutoExportSite : ExportSite {
    AutoExportSite() {
        site.setSetting(QStringLiteral("AutoExportTables"), QStringLiteral("Folder"), output);
    }
    void set(const QString& value, const QString& text) {
        site.setSetting(QStringLiteral("AutoExportTables"), value, text);
    }
    bool exportAfterChangeOf(const TableObject& table) {
        return AutomaticTableExport(*system).AutoExportTable(table);
    }
    // A shell script in the site's folder that the export may run.
    QString script(const QString& name, const QByteArray& body) {
        const QString path = site.path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    const MessageRecord& lastMessage() const { return ui.transcript().messages().back(); }
};

TEST(AutomaticTableExport, EachChangeTouchesItsTablesInTheFixedOrderFilteredByTheSetting) {
    using A = AutomaticTableExport;
    const QString all = QStringLiteral("FWEALD8ST");
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Activity"), all)),
              (QStringList{"ACTIVITY", "FIELD", "ELEMENTS", "STANDARDS"}));
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Work Center"), all)),
              (QStringList{"WORKCNTR", "ASSOCIAT"}));
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Associate"), all)),
              QStringList{"ASSOCIAT"});
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Allocation"), all)),
              (QStringList{"ALLOCATN", "ACTIVITY", "STANDARDS"}));
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Element"), all)),
              (QStringList{"ACTIVITY", "ELEMENT", "ELEMENTS", "STANDARDS"}));
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Type of Work"), all)),
              (QStringList{"TYPEWORK", "ACTIVITY"}));
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Mistake"), all)),
              (QStringList{"WORKCNTR", "ASSOCIAT", "ALLOCATN", "TYPEWORK", "ACTIVITY", "ELEMENT",
                           "FIELD", "ELEMENTS", "STANDARDS"}));
    // Only letters of the setting, in any case; the valid types of work have no letter.
    EXPECT_EQ(baseNames(A::tablesToWrite(QStringLiteral("Mistake"), QStringLiteral("s8w"))),
              (QStringList{"WORKCNTR", "ELEMENTS", "STANDARDS"}));
    EXPECT_TRUE(A::tablesToWrite(QStringLiteral("Activity"), QStringLiteral("E")).isEmpty());
}

TEST(AutomaticTableExport, WritesTheTouchedTablesWithThePrefixOrNothingWhenNotConfigured) {
    AutoExportSite s;
    // Only associates kept exported: an activity change writes nothing.
    s.set(QStringLiteral("Tables"), QStringLiteral("E"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->activities()));
    EXPECT_TRUE(s.filesIn(s.output).isEmpty());

    s.set(QStringLiteral("Tables"), QStringLiteral("FWEALD8ST"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->workCenters()));
    EXPECT_EQ(s.filesIn(s.output), (QStringList{"VelExprt-ASSOCIAT.csv", "VelExprt-WORKCNTR.csv"}));
    EXPECT_EQ(s.lines(s.output + QStringLiteral("/VelExprt-WORKCNTR.csv")).first(),
              QStringLiteral("RECV,Receiving,1,1,-1,2,07:30,16:00,Today at: 07:30,"
                             "Tomorrow at: 07:29,Pat Lee"));
    EXPECT_TRUE(
        s.ui.transcript().lines().contains(QStringLiteral("status: Creating Validation Tables")));
    // The tables it opened are closed again.
    EXPECT_FALSE(s.system->workCenters().isOpen());
    EXPECT_FALSE(s.system->groupings().isOpen());

    s.set(QStringLiteral("BaseFilename"), QStringLiteral("X-"));
    s.set(QStringLiteral("ExportType"), QStringLiteral("xlsx"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->typesOfWork()));
    EXPECT_TRUE(s.filesIn(s.output).contains(QStringLiteral("X-TYPEWORK.xlsx")));

    // No folder: nothing at all.
    s.set(QStringLiteral("Folder"), QString());
    s.set(QStringLiteral("BaseFilename"), QStringLiteral("Y-"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->allocations()));
    EXPECT_FALSE(s.filesIn(s.output).contains(QStringLiteral("Y-ALLOCATN.xlsx")));
    EXPECT_TRUE(s.ui.transcript().messages().empty());
}

TEST(AutomaticTableExport, ReportsAnUnknownTypeAndAFailingTableUnderItsCaption) {
    AutoExportSite s;
    s.set(QStringLiteral("ExportType"), QStringLiteral("PDF"));
    s.ui.answer(QStringLiteral("Error exporting Sheet Type: PDF"), IDOK);
    EXPECT_FALSE(s.exportAfterChangeOf(s.system->associates()));
    EXPECT_EQ(s.lastMessage().caption, QStringLiteral("AutoExport Tables"));
    EXPECT_EQ(s.lastMessage().style, MB_OK | MB_ICONEXCLAMATION);

    s.set(QStringLiteral("ExportType"), QStringLiteral("CSV"));
    QDir().mkpath(s.output + QStringLiteral("/VelExprt-ASSOCIAT.csv"));
    s.ui.answer(QStringLiteral("Error Auto Exporting Table: ASSOCIAT\r\n"), IDOK);
    EXPECT_FALSE(s.exportAfterChangeOf(s.system->workCenters()));
    EXPECT_EQ(s.lastMessage().caption, QStringLiteral("AutoExport Tables"));
    EXPECT_TRUE(s.lastMessage().prompt.contains(s.output)) << "the cause names the file";
    EXPECT_EQ(s.filesIn(s.output), QStringList{"VelExprt-WORKCNTR.csv"});
}

TEST(AutomaticTableExport, TheTemporaryFolderIsWrittenFirstThenCopiedAndLeftEmpty) {
    AutoExportSite s;
    const QString temporary = s.site.path(QStringLiteral("tmp"));
    QDir().mkpath(temporary);
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.toUtf8());
    s.set(QStringLiteral("UseTempFolder"), QStringLiteral("True"));
    const bool exported = s.exportAfterChangeOf(s.system->elements());
    qputenv("TMPDIR", previous);
    EXPECT_TRUE(exported);
    EXPECT_EQ(s.filesIn(s.output),
              (QStringList{"VelExprt-ACTIVITY.csv", "VelExprt-ELEMENT.csv", "VelExprt-ELEMENTS.csv",
                           "VelExprt-STANDARDS.csv"}));
    const QStringList statuses = s.ui.transcript().lines().filter(QStringLiteral("status: "));
    EXPECT_GT(statuses.indexOf(QStringLiteral("status: Copying Files")),
              statuses.indexOf(QStringLiteral("status: Creating Validation Tables")));
    EXPECT_TRUE(QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(AutomaticTableExport, StartsTheCommandAfterExportingWithoutWaitingForIt) {
    AutoExportSite s;
    s.set(QStringLiteral("Tables"), QStringLiteral("E"));
    // The command lists the folder, keeps its arguments, then waits for a line on a FIFO that
    // only this test writes after the export has returned. The timeout bounds a wrong wait.
    const QString release = s.output + QStringLiteral("/release");
    ASSERT_EQ(mkfifo(QFile::encodeName(release).constData(), 0600), 0);
    const QString waiting = s.script(QStringLiteral("after.sh"),
                                     "ls > listing.txt; printf '%s|' \"$@\" > arguments.txt\n"
                                     "timeout 30 head -n 1 release > /dev/null\n"
                                     "touch ended.txt");
    s.set(QStringLiteral("RunAfterExporting"),
          u'"' + waiting + QStringLiteral("\" \"two words\" plain"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->associates()));
    ASSERT_FALSE(QFile::exists(s.output + QStringLiteral("/ended.txt")));
    // Opening the FIFO for writing returns once the command has opened it, past its first lines.
    QFile releaseFile(release);
    ASSERT_TRUE(releaseFile.open(QIODevice::WriteOnly));
    releaseFile.write("go\n");
    releaseFile.close();
    // Arguments reach the program as given, blanks inside quotes included; it runs in the folder.
    EXPECT_EQ(s.lines(s.output + QStringLiteral("/arguments.txt")),
              QStringList{"two words|plain|"});
    EXPECT_TRUE(s.lines(s.output + QStringLiteral("/listing.txt"))
                    .join(u' ')
                    .contains(QStringLiteral("VelExprt-ASSOCIAT.csv")));

    // How a started command ends is its own business: the export has succeeded.
    s.set(QStringLiteral("RunAfterExporting"), s.script(QStringLiteral("fails.sh"), "exit 3"));
    EXPECT_TRUE(s.exportAfterChangeOf(s.system->associates()));
    EXPECT_TRUE(s.system->errors().reports().isEmpty());
    EXPECT_TRUE(s.ui.transcript().messages().empty());
}

TEST(AutomaticTableExport, ACommandThatCannotStartGoesToTheErrorReport) {
    AutoExportSite s;
    s.set(QStringLiteral("Tables"), QStringLiteral("E"));
    const QString missing = s.site.path(QStringLiteral("no-such-program"));
    s.set(QStringLiteral("RunAfterExporting"), missing + QStringLiteral(" now"));
    EXPECT_FALSE(s.exportAfterChangeOf(s.system->associates()));
    ASSERT_EQ(s.system->errors().reports().size(), 1);
    const QString report = s.system->errors().reports().front().text;
    EXPECT_TRUE(report.startsWith(QStringLiteral("Error Running command: ") + missing +
                                  QStringLiteral(" now\r\n")))
        << report.toStdString();
    EXPECT_TRUE(report.endsWith(QStringLiteral(" - AutoExportTable")));
    EXPECT_TRUE(s.ui.transcript().messages().empty());
    // The tables were written before the command was tried.
    EXPECT_TRUE(s.filesIn(s.output).contains(QStringLiteral("VelExprt-ASSOCIAT.csv")));
}

}  // namespace
}  // namespace vel::testing
