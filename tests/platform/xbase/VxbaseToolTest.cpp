// The vxbase tool as a person runs it: usage on bad arguments, info, check (sound and not),
// pack with its indexes, reindex.
#include "XbaseTestSupport.h"

#include <QCoreApplication>
#include <QProcess>

namespace vel::xbase::testing {
namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;
    QString errors;
};

ToolRun vxbase(const QStringList& arguments) {
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase"), arguments);
    ToolRun run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

}  // namespace

TEST(XbaseTool, InfoCheckPackAndReindexFromTheCommandLine) {
    if (!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase"))) {
        GTEST_SKIP() << "vxbase is not built next to the tests";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("TOOL.DBF"));
    const QString indexPath = folder.filePath(QStringLiteral("TOOL.NDX"));
    ASSERT_TRUE(Table::create(path, lookupFields()).ok());
    {
        Table table;
        ASSERT_TRUE(table.open(path, OpenOptions::exclusive()).ok());
        for (int number = 0; number < 30; ++number) {
            appendLookup(table, QStringLiteral("C%1").arg(number), QStringLiteral("Zoë"),
                         QString());
            if (number % 3 == 0) {
                ASSERT_TRUE(table.deleteRecord().ok());
            }
        }
        ASSERT_TRUE(table.createIndex(indexPath, QStringLiteral("UPPER(CODE)")).ok());
    }

    ToolRun run = vxbase({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("usage: vxbase"))) << run.errors.toStdString();
    EXPECT_EQ(vxbase({QStringLiteral("reindex"), path}).exitCode, 2);  // no index named

    run = vxbase({QStringLiteral("info"), path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.contains(QStringLiteral("Records: 30 (header), 30 (file size)")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("Language driver: 0x03 (Windows-1252)")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("LNAME")));

    run = vxbase({QStringLiteral("check"), path, indexPath});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();

    // A record written without the index makes the index check fail, naming file and record.
    {
        Table table;
        ASSERT_TRUE(table.open(path).ok());
        ASSERT_TRUE(table.go(2).ok());
        ASSERT_TRUE(table.setText(0, QStringLiteral("CHANGED")).ok());
        ASSERT_TRUE(table.close().ok());
    }
    run = vxbase({QStringLiteral("check"), path, indexPath});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(indexPath)) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("record 2"))) << run.errors.toStdString();

    run = vxbase({QStringLiteral("reindex"), path, indexPath});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(vxbase({QStringLiteral("check"), path, indexPath}).exitCode, 0);

    run = vxbase({QStringLiteral("pack"), path, indexPath});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("20 records kept, 10 removed")))
        << run.output.toStdString();
    EXPECT_EQ(vxbase({QStringLiteral("check"), path, indexPath}).exitCode, 0);
    run = vxbase({QStringLiteral("dump"), path});
    EXPECT_EQ(run.output.count(QLatin1Char('\n')), 21);
    EXPECT_TRUE(run.output.contains(QStringLiteral("CHANGED,Zoë,")));

    // A table in exclusive use cannot be packed; the message names the file.
    Table holder;
    ASSERT_TRUE(holder.open(path, OpenOptions::exclusive()).ok());
    run = vxbase({QStringLiteral("pack"), path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(path)) << run.errors.toStdString();
    run = vxbase({QStringLiteral("check"), folder.filePath(QStringLiteral("NONE.DBF"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("NONE.DBF")));
}

}  // namespace vel::xbase::testing
