#include "ServicesTestSupport.h"
#include "services/ShellFileOp.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

using namespace vel;

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(data);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Points the freedesktop Trash (and the home folder it belongs to) at a temporary folder.
class TemporaryTrash {
  public:
    explicit TemporaryTrash(const QString& home)
        : oldHome_(qgetenv("HOME")), oldDataHome_(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
        files = home + QStringLiteral("/.local/share/Trash/files");
        info = home + QStringLiteral("/.local/share/Trash/info");
    }
    ~TemporaryTrash() {
        qputenv("HOME", oldHome_);
        if (oldDataHome_.isNull()) {
            qunsetenv("XDG_DATA_HOME");
        } else {
            qputenv("XDG_DATA_HOME", oldDataHome_);
        }
    }
    QString files;
    QString info;

  private:
    QByteArray oldHome_;
    QByteArray oldDataHome_;
};

}  // namespace

TEST(ShellFileOp, CopyExpandsWildcardsToMatchingFilesOnlyAndShowsProgress) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    const QString data = site.filePath(QStringLiteral("data"));
    writeFile(data + QStringLiteral("/TBRL1.--1"), "one");
    writeFile(data + QStringLiteral("/tbrl2.--1"), "two");
    writeFile(data + QStringLiteral("/TBVMACT.--1"), "act");
    writeFile(data + QStringLiteral("/TBRLSUB.--1/inside"), "folder matching the mask");
    writeFile(data + QStringLiteral("/TBGV7"), "no extension");
    writeFile(data + QStringLiteral("/TBGV8.dat"), "extension");
    const QString clone = site.filePath(QStringLiteral("data/Clone"));
    writeFile(clone + QStringLiteral("/TBRL1.--1"), "stale");

    const int result =
        ShellFileOp({data + QStringLiteral("/TBRL*.--1"), data + QStringLiteral("/TBGV*.")}, clone,
                    FO_COPY, false, true, QStringLiteral("Copying Files"));

    EXPECT_EQ(result, 0);
    EXPECT_EQ(entries(clone), QStringList({QStringLiteral("TBGV7"), QStringLiteral("TBRL1.--1"),
                                           QStringLiteral("tbrl2.--1")}));
    EXPECT_EQ(readFile(clone + QStringLiteral("/TBRL1.--1")), QByteArray("one"));
    EXPECT_EQ(readFile(data + QStringLiteral("/TBRL1.--1")), QByteArray("one"));
    EXPECT_TRUE(ui.transcript().lines().contains(QStringLiteral("status: Copying Files")));
    EXPECT_EQ(ui.lastPercent(), 100);
    EXPECT_TRUE(ui.transcript().messages().empty());
}

TEST(ShellFileOp, CopyOfOneFileToANewNameAndOfAFolderIntoAFolder) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    writeFile(site.filePath(QStringLiteral("assoc.csv")), "a;b");
    writeFile(site.filePath(QStringLiteral("layouts/TBRF1/page")), "p");
    QDir().mkpath(site.filePath(QStringLiteral("backup")));

    EXPECT_EQ(ShellFileOp({site.filePath(QStringLiteral("assoc.csv"))},
                          site.filePath(QStringLiteral("assoc.bak")), FO_COPY),
              0);
    EXPECT_EQ(ShellFileOp({site.filePath(QStringLiteral("layouts"))},
                          site.filePath(QStringLiteral("backup")), FO_COPY),
              0);

    EXPECT_EQ(readFile(site.filePath(QStringLiteral("assoc.bak"))), QByteArray("a;b"));
    EXPECT_EQ(readFile(site.filePath(QStringLiteral("backup/layouts/TBRF1/page"))),
              QByteArray("p"));
    EXPECT_TRUE(ui.transcript().lines().isEmpty());  // silent: no status, no message
}

TEST(ShellFileOp, MoveTakesTheSourcesAwayAndReplacesTargets) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    const QString out = site.filePath(QStringLiteral("out"));
    writeFile(site.filePath(QStringLiteral("a.txt")), "A");
    writeFile(site.filePath(QStringLiteral("b.txt")), "B");
    writeFile(out + QStringLiteral("/a.txt"), "old A");

    EXPECT_EQ(ShellFileOp(
                  {site.filePath(QStringLiteral("a.txt")), site.filePath(QStringLiteral("b.txt"))},
                  out, FO_MOVE, false, true, QStringLiteral("Moving"), false),
              0);

    EXPECT_FALSE(QFileInfo::exists(site.filePath(QStringLiteral("a.txt"))));
    EXPECT_FALSE(QFileInfo::exists(site.filePath(QStringLiteral("b.txt"))));
    EXPECT_EQ(readFile(out + QStringLiteral("/a.txt")), QByteArray("A"));
    EXPECT_EQ(readFile(out + QStringLiteral("/b.txt")), QByteArray("B"));
    // Full progress names each file instead of showing the title.
    EXPECT_EQ(ui.transcript().lines(),
              QStringList({QStringLiteral("status: a.txt"), QStringLiteral("status: b.txt")}));
}

TEST(ShellFileOp, DeleteSendsFilesAndFoldersToTheTrash) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    TemporaryTrash trash(site.filePath(QStringLiteral("home")));
    const QString data = site.filePath(QStringLiteral("home/data"));
    writeFile(data + QStringLiteral("/TBVM1.--2"), "one");
    writeFile(data + QStringLiteral("/TBVM2.--2"), "two");
    writeFile(data + QStringLiteral("/keep.--2"), "kept");
    writeFile(data + QStringLiteral("/Clone/TBVM1.--2"), "cloned");

    EXPECT_EQ(ShellFileOp({data + QStringLiteral("/TBVM?.--2"), data + QStringLiteral("/Clone")},
                          QString(), FO_DELETE, false, true,
                          QStringLiteral("Sending File to Recycle Bin")),
              0);

    EXPECT_EQ(entries(data), QStringList{QStringLiteral("keep.--2")});
    // The Trash may add a number to a name; each entry keeps its name as the start of it.
    const QStringList trashed = entries(trash.files);
    ASSERT_EQ(trashed.size(), 3);
    EXPECT_TRUE(trashed[0].startsWith(QStringLiteral("Clone")));
    EXPECT_TRUE(QFileInfo(trash.files + u'/' + trashed[0]).isDir());
    EXPECT_TRUE(trashed[1].startsWith(QStringLiteral("TBVM1.--2")));
    EXPECT_EQ(readFile(trash.files + u'/' + trashed[2]), QByteArray("two"));
    const QStringList information = entries(trash.info);
    ASSERT_EQ(information.size(), 3);
    EXPECT_TRUE(readFile(trash.info + u'/' + information[1])
                    .contains("Path=" + QFile::encodeName(data) + "/TBVM1.--2"));
}

TEST(ShellFileOp, ConfirmationAnsweredNoLeavesEverythingAndYesGoesAhead) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    TemporaryTrash trash(site.filePath(QStringLiteral("home")));
    const QString file = site.filePath(QStringLiteral("home/alloc.txt"));
    writeFile(file, "rows");
    const QString question =
        QStringLiteral("Are you sure you want to move \"alloc.txt\" to the Trash?");
    ui.answer(question, IDNO);

    EXPECT_EQ(ShellFileOp({file}, QString(), FO_DELETE, true), ShellFileOpCancelled);
    EXPECT_EQ(readFile(file), QByteArray("rows"));
    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    EXPECT_EQ(ui.transcript().messages().front().prompt, question);
    EXPECT_EQ(ui.transcript().messages().front().style, MB_YESNO | MB_ICONQUESTION);

    ui.answer(QStringLiteral("copy these 2 items to"), IDNO);
    EXPECT_EQ(ShellFileOp({file, file}, site.filePath(QStringLiteral("out")), FO_COPY, true),
              ShellFileOpCancelled);
    EXPECT_FALSE(QFileInfo::exists(site.filePath(QStringLiteral("out"))));

    ui.answer(question, IDYES);
    EXPECT_EQ(ShellFileOp({file}, QString(), FO_DELETE, true), 0);
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(ShellFileOp, FailureShowsTheSystemErrorCodeAndStopsThere) {
    test::RecordingUi ui;
    ScopedUi scoped(ui);
    QTemporaryDir site;
    const QString missing = site.filePath(QStringLiteral("missing.dbf"));
    const QString present = site.filePath(QStringLiteral("present.dbf"));
    const QString out = site.filePath(QStringLiteral("out"));
    writeFile(present, "p");
    const QString expected = QStringLiteral("Error copying ") + missing + QStringLiteral(" to ") +
                             out + QStringLiteral("/missing.dbf  Error: 2 (") +
                             QString::fromLocal8Bit(std::strerror(ENOENT)) + u')';
    ui.answer(expected, IDOK);

    EXPECT_EQ(ShellFileOp({missing, present}, out, FO_COPY), ENOENT);

    ASSERT_EQ(ui.transcript().messages().size(), 1u);
    EXPECT_EQ(ui.transcript().messages().front().style, MB_ICONEXCLAMATION);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/present.dbf")));

    ui.answer(QStringLiteral("Error sending"), IDOK);
    EXPECT_EQ(ShellFileOp({missing}, QString(), FO_DELETE), ENOENT);
    // A wildcard that matches nothing is nothing to do, not an error.
    EXPECT_EQ(ShellFileOp({site.filePath(QStringLiteral("TBRS*."))}, out, FO_COPY), 0);
}
