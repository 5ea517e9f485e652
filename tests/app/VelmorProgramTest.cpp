// The velmor program as people and scripts start it: a demo site, a script and a single call,
// with the transcript compared line by line.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QStringList out;
    QString errors;
};

ProgramRun velmor(const QStringList& arguments, const QProcessEnvironment& environment =
                                                    QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/velmor"), arguments);
    process.waitForFinished(120000);
    ProgramRun run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace

TEST(VelmorProgram, ScriptAndCallOnTheDemoSitePrintTheExpectedTranscript) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("site"));
    const ProgramRun created = velmor({QStringLiteral("new-demo"), site});
    ASSERT_EQ(created.exitCode, 0) << created.errors.toStdString();

    const QString script = folder.filePath(QStringLiteral("check.vscript"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "answer always \"not available yet\" OK\n"
        "call EditSettings SettingType=13\n"
        "expect result \"error 5\"\n"
        "window frmMistake\n  set Text1(0) \"Mislabelled carton\"\n  click SaveButtons1(1)\nend\n"
        "window TBEditForm\n  expect caption \"Mistake Table\"\n  click btnAdd\n  click "
        "btnOK\nend\n"
        "call EditMistakes\n"
        "expect result True\n"
        "call SetPrefillData DateRangeType=1 NumSequences=1 SeqType=2 SeqNum=3\n");
    file.close();
    const ProgramRun scripted =
        velmor({QStringLiteral("--data"), site, QStringLiteral("script"), script});
    EXPECT_EQ(scripted.exitCode, 0) << scripted.errors.toStdString();
    EXPECT_EQ(scripted.out,
              (QStringList{QStringLiteral("error: 5 Bad Setting Type"),
                           QStringLiteral("status: Loading files ..."),
                           QStringLiteral("status: Loading Mistake Table"),
                           QStringLiteral("status: "), QStringLiteral("window: Mistake Table"),
                           QStringLiteral("window: Add Mistake Record: 13"),
                           QStringLiteral("result: True"), QStringLiteral("result: True")}));

    const ProgramRun called = velmor({QStringLiteral("--data"), site, QStringLiteral("call"),
                                      QStringLiteral("PrintAssocAccountability")});
    EXPECT_EQ(called.exitCode, 0) << called.errors.toStdString();
    EXPECT_EQ(called.out,
              (QStringList{QStringLiteral("message: 64 Velmor | The PPA Module must be Active "
                                          "before this report can be printed -> OK"),
                           QStringLiteral("result: False")}));

    const ProgramRun missing =
        velmor({QStringLiteral("--data"), folder.filePath(QStringLiteral("none")),
                QStringLiteral("call"), QStringLiteral("EditMistakes")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("does not exist")));
}

TEST(VelmorProgram, HeadlessDemoRunsEveryStepWithoutAFailureAndCreatesASecondSystem) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("demo"));
    const ProgramRun demo = velmor(
        {QStringLiteral("--data"), site, QStringLiteral("demo"), QStringLiteral("--headless")});
    EXPECT_EQ(demo.exitCode, 0) << demo.errors.toStdString();
    for (const char* line : {"window: Mistake Table", "window: Add a New System",
                             "window: Fiscal Periods", "status: Creating Tallybook Masterfiles"}) {
        EXPECT_TRUE(demo.out.contains(QString::fromLatin1(line))) << line;
    }
    EXPECT_EQ(demo.out.last(), QStringLiteral("result: True")) << "the new system was created";
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/TBMASTER.2")));
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/ACTIVITY.csv")))
        << "not in the working folder";
}

// A demo site goes only into a new or empty folder, or over a demo site made earlier; any other
// folder is refused with the reason and left exactly as it was.
TEST(VelmorProgram, DemoSitesReplaceNothingButAnEarlierDemoSite) {
    QTemporaryDir folder;
    const QString notes = folder.filePath(QStringLiteral("notes"));
    ASSERT_TRUE(QDir().mkpath(notes));
    QFile note(notes + QStringLiteral("/note.txt"));
    ASSERT_TRUE(note.open(QIODevice::WriteOnly));
    note.write("keep me");
    note.close();
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("new-demo"), notes},
          QStringList{QStringLiteral("--data"), notes, QStringLiteral("demo"),
                      QStringLiteral("--headless")}}) {
        const ProgramRun refused = velmor(arguments);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.errors.contains(QStringLiteral("holds no demo site")))
            << refused.errors.toStdString();
        EXPECT_EQ(QDir(notes).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{QStringLiteral("note.txt")});
    }

    const QString site = folder.filePath(QStringLiteral("site"));
    ASSERT_TRUE(QDir().mkpath(site));
    ASSERT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 0) << "an empty folder";
    QFile extra(site + QStringLiteral("/ACTIVITY.csv"));
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.close();
    const ProgramRun again = velmor({QStringLiteral("new-demo"), site});
    EXPECT_EQ(again.exitCode, 0) << again.errors.toStdString();
    EXPECT_FALSE(QFile::exists(site + QStringLiteral("/ACTIVITY.csv"))) << "an earlier demo site";
    EXPECT_TRUE(QFile::exists(site + QStringLiteral("/TBMASTER.1")));

    // The same system without the demo site's mark is a real site.
    ASSERT_TRUE(QFile::remove(site + QStringLiteral("/DEMO-SITE.txt")));
    const QStringList before = QDir(site).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    EXPECT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 1);
    EXPECT_EQ(QDir(site).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

TEST(VelmorProgram, UnattendedRunsTellFailureThroughTheExitStatus) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("site"));
    ASSERT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 0);

    const ProgramRun version = velmor({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    ASSERT_EQ(version.out.size(), 1);
    EXPECT_TRUE(version.out.first().startsWith(QStringLiteral("velmor ")))
        << version.out.first().toStdString();

    const QString zip = folder.filePath(QStringLiteral("backup.zip"));
    const ProgramRun backedUp =
        velmor({QStringLiteral("--data"), site, QStringLiteral("call"), QStringLiteral("Backup"),
                QStringLiteral("BackupType=1"), QStringLiteral("Filename=") + zip,
                QStringLiteral("--yes")});
    EXPECT_EQ(backedUp.exitCode, 0)
        << backedUp.errors.toStdString() << backedUp.out.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(zip));

    // A backup into a folder that does not exist fails: a cron job must see it in the status.
    const QString nowhere = folder.filePath(QStringLiteral("no/such/folder/backup.zip"));
    const ProgramRun failed =
        velmor({QStringLiteral("--data"), site, QStringLiteral("call"), QStringLiteral("Backup"),
                QStringLiteral("BackupType=1"), QStringLiteral("Filename=") + nowhere,
                QStringLiteral("--yes")});
    EXPECT_EQ(failed.exitCode, 1) << failed.out.join(u'\n').toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));

    const ProgramRun badOption = velmor({QStringLiteral("--data")});
    EXPECT_EQ(badOption.exitCode, 2);
}

// A work center and a type of work added by a script reach the table export with the values
// entered: the work center with its valid type of work, the type of work under its code.
TEST(VelmorProgram, AScriptAddsAWorkCenterAndATypeOfWorkThatTheTableExportShows) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("site"));
    ASSERT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 0);
    const QString output = folder.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(output));
    const QString script = folder.filePath(QStringLiteral("add.vscript"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "answer always \"OK to Add this Account\" OK\n"
        "window frmWorkCenter\n  set Text1(0) \"NITE\"\n  set Text1(1) \"Night Picking\"\n"
        "  set Text2(0) \"Sam Ortiz\"\n  tab TabStrip1 3\n"
        "  tick lsTypeWork \"PICK - Picking\"\n  click SaveButtons1(1)\nend\n"
        "window TBEditForm\n  click btnAdd\n  click btnOK\nend\n"
        "call EditWorkCenter\n"
        "window frmOKtoView\n  click Option1(1)\n  click cmdOK\nend\n"
        "window frmTypeofWork\n  set Text1(0) \"LOAD\"\n  set Text1(1) \"Trailer Loading\"\n"
        "  click SaveButtons1(1)\nend\n"
        "window TBEditForm\n  click btnAdd\n  click btnOK\nend\n"
        "call EditTypeofWork\nexpect result True\n"
        "answer \"The following files have been created\" OK\n"
        "call ExportTables OutputType=CSV OutputFolder=\"" +
        output.toUtf8() + "\"\nexpect result True\n");
    file.close();
    const ProgramRun scripted =
        velmor({QStringLiteral("--data"), site, QStringLiteral("script"), script});
    EXPECT_EQ(scripted.exitCode, 0) << scripted.errors.toStdString();
    const auto lines = [&output](const char* table) {
        QFile exported(output + u'/' + QLatin1String(table) + QStringLiteral(".csv"));
        EXPECT_TRUE(exported.open(QIODevice::ReadOnly)) << table;
        return QString::fromUtf8(exported.readAll()).remove(u'\r').split(u'\n');
    };
    EXPECT_TRUE(lines("WORKCNTR")
                    .contains(QStringLiteral("NITE,Night Picking,9,0,0,9,08:00,16:00,Today at: "
                                             "08:00,Tomorrow at: 07:59,Sam Ortiz")));
    const QStringList valid = lines("WCVALID");
    EXPECT_TRUE(valid.contains(QStringLiteral("NITE,PICK,-1")));
    EXPECT_TRUE(valid.contains(QStringLiteral("NITE,RECV,0")));
    EXPECT_TRUE(lines("TYPEWORK").contains(QStringLiteral("LOAD,Trailer Loading,12")));
}

// The zip, spreadsheet and transfer libraries are loaded when first used, not with the program:
// a CSV export starts and runs without them, an XLSX export loads the spreadsheet library.
TEST(VelmorProgram, LibrariesLoadedOnUseStayOutOfRunsThatDoNotUseThem) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("site"));
    ASSERT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 0);
    QProcessEnvironment tracing = QProcessEnvironment::systemEnvironment();
    tracing.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    const auto exportAs = [&](const QString& type) {
        return velmor(
            {QStringLiteral("--headless"), QStringLiteral("--data"), site, QStringLiteral("call"),
             QStringLiteral("ExportTables"), QStringLiteral("OutputType=") + type,
             QStringLiteral("OutputFolder=") + folder.path()},
            tracing);
    };
    const ProgramRun csv = exportAs(QStringLiteral("CSV"));
    EXPECT_EQ(csv.exitCode, 0);
    for (const char* library : {"libzip.so", "libxlsxwriter.so", "libcurl.so"}) {
        EXPECT_FALSE(csv.errors.contains(QLatin1String(library))) << library;
    }
    const ProgramRun xlsx = exportAs(QStringLiteral("XLSX"));
    EXPECT_EQ(xlsx.exitCode, 0);
    EXPECT_TRUE(xlsx.errors.contains(QLatin1String("libxlsxwriter.so")));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("ACTIVITY.xlsx"))));
}
