#include "services/ErrorReport.h"
#include "services/RuntimeError.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <new>
#include <stdexcept>
#include <vector>

using namespace vel;

namespace {

struct Report {
    QString text;
    int number;
    bool fromComponent;
    bool operator==(const Report&) const = default;
};

class RecordingReporter : public ErrorReporter {
  public:
    void report(const QString& text, int number, bool fromComponent) override {
        reports.push_back({text, number, fromComponent});
    }
    std::vector<Report> reports;
};

// A procedure in the house style: holds its result, reports at its end.
int countRecords(bool fail) {
    int result = 0;
    try {
        result = 4;
        if (fail) {
            throw RuntimeError(53, QStringLiteral("File not found"));
        }
        result = 12;
    } catch (...) {
        reportError(QStringLiteral(" - CloneSystem"));
    }
    return result;
}

}  // namespace

TEST(ErrorReport, AProcedureThatThrowsReportsTextWithSuffixAndNumberAndReturnsItsHeldResult) {
    RecordingReporter reporter;
    ScopedErrorReporter installed(reporter);

    EXPECT_EQ(countRecords(false), 12);
    EXPECT_TRUE(reporter.reports.empty());

    EXPECT_EQ(countRecords(true), 4);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0],
              (Report{QStringLiteral("File not found - CloneSystem"), 53, true}));
}

TEST(ErrorReport, GuardedClassifiesEveryKindOfException) {
    RecordingReporter reporter;
    ScopedErrorReporter installed(reporter);

    bool done = false;
    EXPECT_FALSE(guarded(QStringLiteral("-WeekEndProcess"), done, [&] {
        throw std::runtime_error("disk full");
        done = true;
    }));
    bool saved = false;
    EXPECT_TRUE(guarded(QStringLiteral(" - frmActivity:VerifyFields"), saved, [&] {
        saved = true;
        throw std::bad_alloc();
    }));
    EXPECT_FALSE(guarded(QStringLiteral(" - frmEmployee:Edit"), [] { throw 42; }));
    EXPECT_TRUE(guarded(QStringLiteral(" - Backup"), [] {}));
    QString name = QStringLiteral("kept");
    EXPECT_EQ(guarded(QStringLiteral("-ExportActivityDetail"), name,
                      [] { throw RuntimeError(5, QStringLiteral("Bad Setting Type")); }),
              QStringLiteral("kept"));

    EXPECT_EQ(reporter.reports,
              (std::vector<Report>{
                  {QStringLiteral("disk full-WeekEndProcess"), GenericErrorNumber, true},
                  {QStringLiteral("Out of memory - frmActivity:VerifyFields"), 7, true},
                  {QStringLiteral("Unknown error - frmEmployee:Edit"), GenericErrorNumber, true},
                  {QStringLiteral("Bad Setting Type-ExportActivityDetail"), 5, true},
              }));
}

TEST(ErrorReport, AFailingReporterDoesNotEscapeAndTheInstalledOneIsRestored) {
    struct ThrowingReporter : ErrorReporter {
        void report(const QString&, int, bool) override { throw std::logic_error("broken"); }
    } throwing;
    RecordingReporter outer;
    ScopedErrorReporter installedOuter(outer);
    {
        ScopedErrorReporter installedThrowing(throwing);
        EXPECT_EQ(errorReporter(), &throwing);
        EXPECT_NO_THROW(EXPECT_EQ(countRecords(true), 4));
    }
    EXPECT_EQ(errorReporter(), &outer);
    EXPECT_TRUE(outer.reports.empty());
}

TEST(ErrorReport, WritesEachReportToTheTraceFileWhenAFolderIsSet) {
    RecordingReporter reporter;
    ScopedErrorReporter installed(reporter);
    QTemporaryDir folder;
    countRecords(true);  // no folder yet: no trace
    setErrorTraceFolder(folder.path());
    countRecords(true);
    guarded(QStringLiteral("-WeekEndProcess"), [] { throw std::runtime_error("disk full"); });
    setErrorTraceFolder(QString());

    QFile trace(folder.filePath(QStringLiteral("debug.fil")));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(trace.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QRegularExpression stamp(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d  "));
    EXPECT_TRUE(stamp.match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("  53  File not found - CloneSystem")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("  440  disk full-WeekEndProcess")));
    EXPECT_EQ(reporter.reports.size(), 3u);
}
