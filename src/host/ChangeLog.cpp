#include "host/ChangeLog.h"

#include "host/SaveUnit.h"
#include "host/XbaseTable.h"

#include <QFileInfo>
#include <algorithm>

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
    return append(tableName, lines.size(), [&lines](size_t index) { return lines[index]; });
}

bool ChangeLog::append(const QString& tableName, size_t count,
                       const std::function<ChangeLogLine(size_t index)>& lineAt) {
    std::vector<StoredRow> existing;
    if (!QFileInfo::exists(store_.path()) && !store_.load(existing)) {
        return false;
    }
    const QDateTime moment = now_();
    const QString time = moment.time().toString(QStringLiteral("HH:mm:ss"));
    // The entries of a large import are made and written a slice at a time, so that they are
    // never all in memory as rows at once; the unit makes the slices land together.
    constexpr size_t sliceRows = 4096;
    SaveUnit unit(store_.operations());
    std::vector<StoredRow> rows;
    rows.reserve(std::min(count, sliceRows) + 1);
    StoreJournal journal;
    for (size_t index = 0; index < count; ++index) {
        const ChangeLogLine line = lineAt(index);
        ChangeLogEntry entry{moment.date(), time, tableName, line.recordCode.trimmed(),
                             line.action,   {}};
        QString rest = line.changedSettings;
        do {
            entry.Changes = rest.left(changesWidth);
            rest = rest.mid(changesWidth);
            rows.push_back(XbaseTable<ChangeLogEntry>::toRow(entry));
        } while (!rest.isEmpty());
        if ((rows.size() >= sliceRows || index + 1 == count) && !store_.append(rows, journal)) {
            unit.fail(store_.lastError());
            return false;
        }
        if (rows.size() >= sliceRows) {
            rows.clear();
        }
    }
    return unit.commit();
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
