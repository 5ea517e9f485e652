#include "host/ChangeLog.h"

#include "host/XbaseTable.h"

#include <QFileInfo>

namespace vel {

ChangeLog::ChangeLog(const QString& path, std::function<QDateTime()> now, StoreOptions options)
    : store_(path, shapesOf<ChangeLogEntry>(), {},
             [&options] {
                 options.createWhenMissing = true;
                 return options;
             }()),
      now_(std::move(now)) {}

bool ChangeLog::append(const QString& tableName, const QString& code, const QString& action,
                       const QString& changes) {
    return append(tableName, {{code, action, changes}});
}

bool ChangeLog::append(const QString& tableName, const std::vector<ChangeLogLine>& lines) {
    const QDateTime moment = now_();
    std::vector<StoredRow> rows;
    for (const ChangeLogLine& line : lines) {
        ChangeLogEntry entry{moment.date(), moment.time().toString(QStringLiteral("HH:mm:ss")),
                             tableName,     line.recordCode.trimmed(),
                             line.action,   {}};
        QString rest = line.changedSettings;
        do {
            entry.Changes = rest.left(changesWidth);
            rest = rest.mid(changesWidth);
            rows.push_back(XbaseTable<ChangeLogEntry>::toRow(entry));
        } while (!rest.isEmpty());
    }
    std::vector<StoredRow> existing;
    if (!QFileInfo::exists(store_.path()) && !store_.load(existing)) {
        return false;
    }
    StoreJournal journal;
    return store_.append(rows, journal);
}

std::vector<ChangeLogEntry> ChangeLog::entries() {
    std::vector<StoredRow> rows;
    std::vector<ChangeLogEntry> result;
    if (store_.load(rows)) {
        for (const StoredRow& row : rows) {
            result.push_back(XbaseTable<ChangeLogEntry>::toRecord(row));
        }
    }
    return result;
}

}  // namespace vel
