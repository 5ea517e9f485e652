#include "host/SaveUnit.h"

#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QFileInfo>
#include <vector>

namespace vel {
namespace {

thread_local SaveUnit* currentUnit = nullptr;

}  // namespace

xbase::Status openLocked(xbase::Table& table, const QString& path,
                         const xbase::OpenOptions& options, bool forWriting,
                         xbase::FileOperations& operations) {
    xbase::BinaryFile guard(operations, path);
    if (guard.open(O_RDONLY) == 0) {
        const xbase::Status locked = xbase::guarded([&] {
            if (!guard.lock(xbase::Table::commitLockStart, xbase::Table::commitLockLength, false,
                            options.lockPolicy)) {
                guard.fail(xbase::ErrorCode::Locked,
                           QStringLiteral("table is being saved by another user"));
            }
        });
        if (!locked.ok()) {
            return locked;
        }
    }
    xbase::Status status = table.open(path, options);
    if (status.ok() && !forWriting) {
        status = table.lockFileShared();  // read locks share: taken while the guard holds
    }
    guard.close();
    if (status.ok() && forWriting) {
        status = table.lockFile();
    }
    return status;
}

struct SaveUnit::State {
    explicit State(xbase::FileOperations& operations)
        : operations(operations), journal(operations) {}

    xbase::FileOperations& operations;
    xbase::Journal journal;
    std::vector<std::pair<QString, std::unique_ptr<xbase::Table>>> tables;  // in joining order
    QString failure;
};

SaveUnit::SaveUnit(xbase::FileOperations& operations) {
    if (currentUnit != nullptr) {
        state_ = currentUnit->state_;
        return;
    }
    owner_ = true;
    state_ = new State(operations);
    currentUnit = this;
}

SaveUnit::~SaveUnit() {
    if (owner_) {
        end();
        currentUnit = nullptr;
        delete state_;
    }
}

SaveUnit* SaveUnit::current() {
    return currentUnit;
}

void SaveUnit::fail(const QString& reason) {
    if (state_->failure.isEmpty()) {
        state_->failure = reason.isEmpty() ? QStringLiteral("the save failed") : reason;
    }
}

xbase::Table* SaveUnit::joined(const QString& path) {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (const auto& [tablePath, table] : state_->tables) {
        if (tablePath == wanted) {
            return table.get();
        }
    }
    return nullptr;
}

xbase::Status SaveUnit::join(const QString& path, const xbase::LockPolicy& policy,
                             xbase::Table** table) {
    *table = joined(path);
    if (*table != nullptr) {
        return {};
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QString folder = QFileInfo(absolute).absolutePath();
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (xbase::Journal::hasAbandoned(folder, state_->operations)) {
            const xbase::Status recovered =
                xbase::Journal::recoverFolder(folder, state_->operations, policy);
            if (!recovered.ok()) {
                return recovered;
            }
        }
        auto opened = std::make_unique<xbase::Table>(state_->operations);
        const xbase::Status status = openLocked(
            *opened, absolute, xbase::OpenOptions::shared(policy), true, state_->operations);
        if (!status.ok()) {
            return status;
        }
        // A writer that died between our look and our lock left its journal: put it back first.
        if (!xbase::Journal::hasAbandoned(folder, state_->operations)) {
            *table = opened.get();
            state_->tables.emplace_back(absolute, std::move(opened));
            return {};
        }
    }
    return {xbase::ErrorCode::Locked,
            absolute + QStringLiteral(": an interrupted save of another process could not be put "
                                      "back")};
}

xbase::Status SaveUnit::protect(xbase::Table& table, const std::vector<quint32>& records) {
    // The old records go from the table into the journal a run at a time.
    xbase::TableImage image;
    xbase::Status status = table.captureImage(records, &image, false);
    if (status.ok()) {
        status = xbase::guarded([&] {
            state_->journal.protect(image, [&](quint32 first, quint32 count, char* into) {
                const xbase::Status read = table.readRecords(first, count, into);
                if (!read.ok()) {
                    throw xbase::XbaseError(read.code(), read.message());
                }
            });
        });
    }
    if (!status.ok()) {
        fail(status.message());
    }
    return status;
}

bool SaveUnit::commit(QString* error) {
    if (!owner_) {
        return state_->failure.isEmpty();
    }
    xbase::Status status;
    if (!state_->failure.isEmpty()) {
        status = {xbase::ErrorCode::WriteFailed, state_->failure};
    }
    for (const auto& [path, table] : state_->tables) {
        if (status.ok()) {
            status = table->flush();
        }
        if (status.ok()) {
            status = table->sync();
        }
    }
    if (!status.ok()) {
        if (error != nullptr) {
            *error = status.message();
        }
        end();
        return false;
    }
    state_->journal.commit();
    for (const auto& [path, table] : state_->tables) {
        table->close();
    }
    state_->tables.clear();
    committed_ = true;
    return true;
}

// Without a commit every table is put back from the journal while its lock is still held.
void SaveUnit::end() {
    if (committed_) {
        return;
    }
    for (const auto& [path, table] : state_->tables) {
        table->discardChanges();
    }
    if (state_->journal.isActive()) {
        state_->journal.rollback();
    }
    for (const auto& [path, table] : state_->tables) {
        table->close();
    }
    state_->tables.clear();
    committed_ = true;
}

}  // namespace vel
