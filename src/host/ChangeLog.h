#pragma once
// The system's change log "TBEDITLOG.--" + system number, an xBase table with one row per change:
// DATE, TIME ("HH:mm:ss"), TABLENAME, CODE, ACTION and CHANGES (the ", "-joined names of the
// changed settings). A list of names longer than one row holds goes on in further rows with the
// same date, time, table, code and action. The file is created on the first entry.
#include "data/VelmorSystem.h"
#include "host/XbaseStore.h"

#include <QDateTime>
#include <functional>

namespace vel {

struct ChangeLogEntry {
    QDate Date;
    QString Time;
    QString TableName;
    QString Code;
    QString Action;
    QString Changes;

    static const Fields<ChangeLogEntry>& fields() {
        using R = ChangeLogEntry;
        static const Fields<R> list{field(QStringLiteral("Date"), &R::Date),
                                    field(QStringLiteral("Time"), &R::Time, 8),
                                    field(QStringLiteral("TableName"), &R::TableName, 30),
                                    field(QStringLiteral("Code"), &R::Code, 30),
                                    field(QStringLiteral("Action"), &R::Action, 16),
                                    field(QStringLiteral("Changes"), &R::Changes, 254)};
        return list;
    }
    bool operator==(const ChangeLogEntry&) const = default;
};

class ChangeLog {
  public:
    static constexpr int changesWidth = 254;

    ChangeLog(const QString& path, std::function<QDateTime()> now, StoreOptions options = {});

    bool append(const QString& tableName, const QString& code, const QString& action,
                const QString& changes);
    // Several entries of one table in one write.
    bool append(const QString& tableName, const std::vector<ChangeLogLine>& lines);
    // The same with each line made by line(index) when its turn comes.
    bool append(const QString& tableName, size_t count,
                const std::function<ChangeLogLine(size_t index)>& line);
    // Every entry, oldest first; empty with lastError() when the file cannot be read.
    std::vector<ChangeLogEntry> entries();
    QString lastError() const { return store_.lastError(); }
    xbase::FileOperations& operations() const { return store_.operations(); }

  private:
    XbaseStore store_;
    std::function<QDateTime()> now_;
};

}  // namespace vel
