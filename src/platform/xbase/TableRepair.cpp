#include "platform/xbase/TableRepair.h"

#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/Journal.h"
#include "platform/xbase/Table.h"
#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <limits>

namespace vel::xbase {
namespace {

// Writes bytes to a temporary file beside target, syncs it and renames it over target.
void replaceWith(FileOperations& operations, const QString& target, const QByteArray& bytes) {
    BinaryFile temporary(operations, target + QStringLiteral(".repair.tmp"));
    const int error = temporary.open(O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (error != 0) {
        temporary.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create"), error);
    }
    try {
        temporary.writeExactly(0, bytes.constData(), bytes.size());
        temporary.sync();
        if (operations.renameFile(temporary.nativePath(), QFile::encodeName(target)) != 0) {
            temporary.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("replace"), errno);
        }
    } catch (...) {
        operations.removeFile(temporary.nativePath());
        throw;
    }
}

}  // namespace

Status TableRepair::repair(const QString& path, const QStringList& indexes, RepairReport* report) {
    *report = {};
    const Status recovered = Journal::recoverFolder(QFileInfo(path).absolutePath(), operations_,
                                                    LockPolicy::failAtOnce());
    if (!recovered.ok()) {
        return recovered;
    }
    Status status = guarded([&] {
        BinaryFile file(operations_, path);
        const int error = file.open(O_RDWR);
        if (error != 0) {
            file.failWithErrno(error == ENOENT ? ErrorCode::NotFound : ErrorCode::OpenFailed,
                               QStringLiteral("open"), error);
        }
        if (!file.lock(Table::openLockOffset, 1, true, LockPolicy::failAtOnce())) {
            file.fail(ErrorCode::Locked, QStringLiteral("table is in use; close Velmor on every "
                                                        "workstation first"));
        }
        QByteArray bytes(file.size(), '\0');
        bytes.resize(file.readUpTo(0, bytes.data(), bytes.size()));
        // The header alone, without its count checked against the size: that is what is mended.
        const int headerLength = TableHeader::storedHeaderLength(bytes, bytes.size(), path);
        const TableHeader header = TableHeader::parse(bytes.left(headerLength),
                                                      std::numeric_limits<qint64>::max() / 2, path);
        report->headerCount = header.recordCount;
        report->records = header.recordsInFileSize(bytes.size());
        const qint64 end = header.recordOffset(report->records + 1);
        const qint64 after = bytes.size() - end;
        report->droppedBytes = after == 1 && bytes.back() == TableHeader::endOfFile ? 0 : after;
        report->backupPath = path + QStringLiteral(".bak");
        replaceWith(operations_, report->backupPath, bytes);
        QByteArray mended = bytes.left(end);
        mended.append(TableHeader::endOfFile);
        qToLittleEndian<quint32>(report->records, mended.data() + 4);
        replaceWith(operations_, path, mended);
    });
    if (!status.ok() || indexes.isEmpty()) {
        return status;
    }
    Table table(operations_);
    status = table.open(path, OpenOptions::exclusive(LockPolicy::failAtOnce()));
    for (int number = 0; status.ok() && number < indexes.size(); ++number) {
        status = table.openIndex(indexes[number]);
    }
    if (status.ok()) {
        status = table.reindex();
    }
    const Status closed = table.close();
    return status.ok() ? closed : status;
}

}  // namespace vel::xbase
