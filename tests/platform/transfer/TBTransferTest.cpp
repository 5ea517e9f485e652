// Transfers through libcurl over "file://" addresses in a temporary folder (real uploads and
// downloads without a network), a refused connection on the local machine, and a small HTTP
// server on the loopback address that stalls, fails or redirects for ever.
#include "LoopbackHttpServer.h"
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

TEST(TBTransfer, AServerThatNeverAnswersIsLeftAtTheLowSpeedOrOverallLimit) {
    QTemporaryDir folder;
    const QString local = folder.filePath(QStringLiteral("backup.zip"));
    writeFile(local, QByteArray(1000, 'z'));
    const QString kept = folder.filePath(QStringLiteral("update.zip"));
    writeFile(kept, "old update");
    vel::testing::LoopbackHttpServer stalled(vel::testing::LoopbackHttpServer::Behaviour::Stall);
    ASSERT_TRUE(stalled.listening());

    TBTransfer transfer;
    TransferLimits slow;
    slow.lowSpeedSeconds = 1;
    transfer.setLimits(slow);
    const TransferResult tooSlow = transfer.download(stalled.address(QStringLiteral("/u.zip")), kept);
    EXPECT_FALSE(tooSlow.ok);
    EXPECT_TRUE(tooSlow.error.contains(QStringLiteral("too slow"), Qt::CaseInsensitive))
        << tooSlow.error.toStdString();
    EXPECT_EQ(readFile(kept), "old update");

    TransferLimits overall;
    overall.lowSpeedBytes = 0;
    overall.overallSeconds = 1;
    transfer.setLimits(overall);
    const TransferResult timedOut = transfer.upload(local, stalled.address(QStringLiteral("/in/")));
    EXPECT_FALSE(timedOut.ok);
    EXPECT_TRUE(timedOut.error.contains(QStringLiteral("timed out"), Qt::CaseInsensitive))
        << timedOut.error.toStdString();
    EXPECT_FALSE(timedOut.cancelled);
    EXPECT_EQ(stalled.requests(), 2);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file is left";
}

TEST(TBTransfer, HttpErrorsAndRedirectLoopsAreFailuresThatKeepTheOldFile) {
    QTemporaryDir folder;
    const QString local = folder.filePath(QStringLiteral("backup.zip"));
    writeFile(local, QByteArray(5000, 'z'));
    const QString kept = folder.filePath(QStringLiteral("update.zip"));
    writeFile(kept, "old update");
    TBTransfer transfer;
    using Server = vel::testing::LoopbackHttpServer;

    Server failing(Server::Behaviour::Answer,
                   "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 6\r\n"
                   "Connection: close\r\n\r\nbroken");
    const TransferResult notFetched = transfer.download(failing.address(), kept);
    EXPECT_FALSE(notFetched.ok);
    EXPECT_TRUE(notFetched.error.endsWith(QStringLiteral("500"))) << notFetched.error.toStdString();
    EXPECT_EQ(readFile(kept), "old update") << "the error page is not saved";
    const TransferResult notSent = transfer.upload(local, failing.address(QStringLiteral("/in/")));
    EXPECT_FALSE(notSent.ok);
    EXPECT_TRUE(notSent.error.contains(QStringLiteral("500"))) << notSent.error.toStdString();

    Server missing(Server::Behaviour::Answer,
                   "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    EXPECT_FALSE(transfer.download(missing.address(), kept).ok);

    Server loop(Server::Behaviour::Answer,
                "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n"
                "Connection: close\r\n\r\n");
    const TransferResult looped = transfer.download(loop.address(), kept);
    EXPECT_FALSE(looped.ok);
    EXPECT_TRUE(looped.error.contains(QStringLiteral("redirects"), Qt::CaseInsensitive))
        << looped.error.toStdString();
    EXPECT_EQ(loop.requests(), 1 + transfer.limits().maximumRedirects);

    // A server cannot send the program to a file of this machine.
    Server toLocalFile(Server::Behaviour::Answer,
                       "HTTP/1.1 302 Found\r\nLocation: " +
                           QUrl::fromLocalFile(local).toEncoded() +
                           "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    EXPECT_FALSE(transfer.download(toLocalFile.address(), kept).ok);
    EXPECT_EQ(readFile(kept), "old update");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(TBTransfer, TheCancelFunctionStopsATransferAndSaysSo) {
    QTemporaryDir folder;
    const QString kept = folder.filePath(QStringLiteral("update.zip"));
    writeFile(kept, "old update");
    vel::testing::LoopbackHttpServer stalled(vel::testing::LoopbackHttpServer::Behaviour::Stall);
    TBTransfer transfer;
    int asked = 0;
    transfer.setCancel([&] { return ++asked >= 2; });
    const TransferResult cancelled = transfer.download(stalled.address(), kept);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.error.endsWith(QStringLiteral(": the transfer was cancelled")))
        << cancelled.error.toStdString();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(readFile(kept), "old update");

    // Over "file://" too, before any data is written.
    const QString source = folder.filePath(QStringLiteral("source.zip"));
    writeFile(source, QByteArray(100000, 's'));
    asked = 0;
    transfer.setCancel([&] { return ++asked >= 1; });
    const QString target = folder.filePath(QStringLiteral("target.zip"));
    EXPECT_TRUE(transfer.upload(source, address(target)).cancelled);
}
