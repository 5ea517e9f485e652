// A report run unattended: a script answers the report window and the print-out becomes a PDF
// file, named on the command line or after the report's title in the working folder.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QStringList out;
    QString errors;
};

ProgramRun velmor(const QStringList& arguments, const QString& workingFolder = {}) {
    QProcess process;
    if (!workingFolder.isEmpty()) {
        process.setWorkingDirectory(workingFolder);
    }
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/velmor"), arguments);
    process.waitForFinished(180000);
    ProgramRun run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool isPdf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(5).startsWith("%PDF");
}

TEST(UnattendedReport, AScriptAnsweringTheWindowPrintsTheReportToAPdf) {
    QTemporaryDir folder;
    const QString site = folder.filePath(QStringLiteral("site"));
    ASSERT_EQ(velmor({QStringLiteral("new-demo"), site}).exitCode, 0);
    const QString script = folder.filePath(QStringLiteral("reports.vscript"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "window frmEmployeeList\n"
        "  tab TabStrip1 3\n  click optGroup(1)\n"
        "  tab TabStrip1 4\n  click Check1(0)\n"
        "  click SaveButtons1(1)\n  click SaveButtons1(0)\n"
        "end\n"
        "call PrintAssocHist\n"
        "expect result True\n"
        "window frmEmployeeQual\n  click SaveButtons1(1)\n  click SaveButtons1(0)\nend\n"
        "call PrintAssocQual\n"
        "expect result True\n");
    file.close();

    const QString named = folder.filePath(QStringLiteral("analysis.pdf"));
    const ProgramRun run = velmor({QStringLiteral("--data"), site, QStringLiteral("script"), script,
                                   QStringLiteral("--pdf"), named});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QString second = folder.filePath(QStringLiteral("analysis-2.pdf"));
    EXPECT_TRUE(
        run.out.contains(QStringLiteral("window: Print Associate Production Analysis Report")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("printed: ") + QDir::toNativeSeparators(named)))
        << run.out.join(u'\n').toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("printed: ") + QDir::toNativeSeparators(second)));
    EXPECT_TRUE(isPdf(named));
    EXPECT_TRUE(isPdf(second)) << "the second print-out of the run goes beside the first";

    // Without a name: the working folder, under the report's title.
    const QString work = folder.filePath(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkpath(work));
    const ProgramRun titled =
        velmor({QStringLiteral("--data"), site, QStringLiteral("script"), script}, work);
    EXPECT_EQ(titled.exitCode, 0) << titled.errors.toStdString();
    const QStringList pdfs =
        QDir(work).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(pdfs.size(), 2) << titled.out.join(u'\n').toStdString();
    EXPECT_TRUE(pdfs[0].startsWith(QStringLiteral("Associate Performance Analysis - Last ")));
    EXPECT_TRUE(pdfs[1].startsWith(QStringLiteral("Associate Quality Analysis - Last ")));
}

}  // namespace
