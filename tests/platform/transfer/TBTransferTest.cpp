// Transfers through libcurl over "file://" addresses in a temporary folder (real uploads and
// downloads without a network), and a refused connection on the local machine.
#include "platform/transfer/TBTransfer.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

using namespace vel;

namespace {

QString address(const QString& path) {
    return QUrl::fromLocalFile(path).toString();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// An address on this machine where nothing listens: the connection is refused at once.
const QString refusingServer = QStringLiteral("http://127.0.0.1:1/backups/");

}  // namespace

TEST(TBTransfer, SendsAndFetchesFilesWholeWithProgress) {
    QTemporaryDir folder;
    const QString server = folder.filePath(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(server));
    const QByteArray content(300000, 'z');
    const QString local = folder.filePath(QStringLiteral("TBZ4711.zip"));
    writeFile(local, content);

    TBTransfer transfer;
    QList<int> shares;
    transfer.setProgress([&](int percent) { shares.append(percent); });
    // A folder address takes the remote name, or the file's own name when none is given.
    TransferResult sent =
        transfer.upload(local, address(server) + u'/', QStringLiteral("VelBack1.zip"));
    ASSERT_TRUE(sent.ok) << sent.error.toStdString();
    EXPECT_EQ(readFile(server + QStringLiteral("/VelBack1.zip")), content);
    ASSERT_FALSE(shares.isEmpty());
    EXPECT_EQ(shares.last(), 100);
    ASSERT_TRUE(transfer.upload(local, address(server) + u'/').ok);
    EXPECT_EQ(readFile(server + QStringLiteral("/TBZ4711.zip")), content);
    // A full address is the file itself.
    ASSERT_TRUE(transfer.upload(local, address(server + QStringLiteral("/named.zip"))).ok);
    EXPECT_EQ(readFile(server + QStringLiteral("/named.zip")), content);

    shares.clear();
    const QString fetched = folder.filePath(QStringLiteral("fetched.zip"));
    const TransferResult got =
        transfer.download(address(server + QStringLiteral("/named.zip")), fetched);
    ASSERT_TRUE(got.ok) << got.error.toStdString();
    EXPECT_EQ(readFile(fetched), content);
    EXPECT_EQ(shares.value(shares.size() - 1), 100);
    EXPECT_EQ(TBTransfer::addressFor(QStringLiteral("ftp://h/in/"), QStringLiteral("a b.zip")),
              QStringLiteral("ftp://h/in/a%20b.zip"));
    EXPECT_EQ(TBTransfer::addressFor(QStringLiteral("ftp://h/x.zip"), QStringLiteral("y.zip")),
              QStringLiteral("ftp://h/x.zip"));
}

TEST(TBTransfer, FailuresNameTheAddressGiveCurlsReasonAndSpoilNothing) {
    QTemporaryDir folder;
    const QString local = folder.filePath(QStringLiteral("backup.zip"));
    writeFile(local, "zip");
    TBTransfer transfer;

    const TransferResult refused = transfer.upload(local, refusingServer);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.startsWith(
        QStringLiteral("Cannot send backup.zip to http://127.0.0.1:1/backups/backup.zip: ")))
        << refused.error.toStdString();
    EXPECT_TRUE(refused.error.contains(QStringLiteral("connect"), Qt::CaseInsensitive))
        << refused.error.toStdString();

    const QString missingFolder = address(folder.filePath(QStringLiteral("no/such/folder/")));
    EXPECT_FALSE(transfer.upload(local, missingFolder).ok);
    const TransferResult noFile = transfer.upload(folder.filePath(QStringLiteral("absent.zip")),
                                                  address(folder.path()) + u'/');
    EXPECT_FALSE(noFile.ok);
    EXPECT_TRUE(noFile.error.startsWith(QStringLiteral("Cannot send absent.zip to ")));

    // A failed download leaves the file that was there as it was, and no temporary file.
    const QString kept = folder.filePath(QStringLiteral("update.zip"));
    writeFile(kept, "old update");
    const QString absent = address(folder.filePath(QStringLiteral("server/update.zip")));
    const TransferResult notFetched = transfer.download(absent, kept);
    EXPECT_FALSE(notFetched.ok);
    EXPECT_TRUE(notFetched.error.startsWith(QStringLiteral("Cannot fetch ") + absent +
                                            QStringLiteral(" to ")))
        << notFetched.error.toStdString();
    EXPECT_EQ(readFile(kept), "old update");
    EXPECT_FALSE(transfer.download(QStringLiteral("http://127.0.0.1:1/update.zip"), kept).ok);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file is left";
}
