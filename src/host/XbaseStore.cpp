#include "host/XbaseStore.h"

#include "host/SaveUnit.h"

#include "platform/xbase/DecimalText.h"
#include "platform/xbase/FieldValues.h"
#include "platform/xbase/Table.h"
#include "services/RuntimeError.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vel {

namespace {

const QString timeFormat = QStringLiteral("HH:mm:ss");

// The layer's message, and for a damaged file the way to repair it.
QString withRepairHint(const xbase::Status& status) {
    using xbase::ErrorCode;
    const ErrorCode code = status.code();
    if (code != ErrorCode::CountMismatch && code != ErrorCode::CorruptHeader &&
        code != ErrorCode::ReadFailed) {
        return status.message();
    }
    const QString path = status.message().section(QStringLiteral(": "), 0, 0);
    return status.message() + QStringLiteral(
                                  ". To repair it, close Velmor on every workstation "
                                  "and run: vxbase repair \"%1\"")
                                  .arg(path);
}

// Reads the value of one column of the current record as the field's type.
QVariant readValue(const xbase::Table& table, int column, FieldType type) {
    switch (type) {
        case FieldType::Text:
            return table.text(column);
        case FieldType::Integer:
            return qlonglong(std::llround(table.number(column).value_or(0.0)));
        case FieldType::Number:
            return table.number(column).value_or(0.0);
        case FieldType::Boolean:
            return table.logical(column).value_or(false);
        case FieldType::Date:
            return table.date(column);
        case FieldType::Time: {
            const QString text = table.text(column).trimmed();
            return text.isEmpty() ? QTime() : QTime::fromString(text, timeFormat);
        }
    }
    return {};
}

xbase::Status writeValue(xbase::Table& table, int column, FieldType type, const QVariant& value) {
    switch (type) {
        case FieldType::Text:
            return table.setText(column, value.toString());
        case FieldType::Integer:
        case FieldType::Number:
            return table.setNumber(column, value.toDouble());
        case FieldType::Boolean:
            return table.setLogical(column, value.toBool());
        case FieldType::Date:
            return table.setDate(column, value.toDate());
        case FieldType::Time: {
            const QTime time = value.toTime();
            return table.setText(column, time.isValid() ? time.toString(timeFormat) : QString());
        }
    }
    return {};
}

}  // namespace

XbaseStore::XbaseStore(QString path, std::vector<ColumnShape> shapes,
                       const QHash<QString, QString>& names, StoreOptions options)
    : path_(std::move(path)),
      shapes_(std::move(shapes)),
      columns_(ColumnLayout::columnsFor(shapes_, names)),
      options_(std::move(options)),
      blank_(makeBlankRow()) {}

xbase::FileOperations& XbaseStore::operations() const {
    return options_.operations != nullptr ? *options_.operations
                                          : xbase::FileOperations::standard();
}

bool XbaseStore::fail(const QString& message) {
    lastError_ = message;
    return false;
}

StoredRow XbaseStore::blankRow() const {
    return blank_;
}

StoredRow XbaseStore::makeBlankRow() const {
    StoredRow row;
    row.reserve(qsizetype(shapes_.size()));
    for (const ColumnShape& shape : shapes_) {
        switch (shape.type) {
            case FieldType::Text:
                row.append(QString());
                break;
            case FieldType::Integer:
                row.append(qlonglong(0));
                break;
            case FieldType::Number:
                row.append(0.0);
                break;
            case FieldType::Boolean:
                row.append(false);
                break;
            case FieldType::Date:
                row.append(QDate());
                break;
            case FieldType::Time:
                row.append(QTime());
                break;
        }
    }
    return row;
}

StoredRow XbaseStore::normalized(StoredRow row) const {
    // In place: a row handed over as a temporary is changed without a second list.
    const qsizetype given = std::min(row.size(), blank_.size());
    row.resize(given);
    for (qsizetype index = given; index < blank_.size(); ++index) {
        row.append(blank_[index]);
    }
    for (qsizetype index = 0; index < given; ++index) {
        const xbase::FieldDescriptor& column = columns_[index];
        QVariant& value = row[index];
        switch (shapes_[size_t(index)].type) {
            case FieldType::Text: {
                QString text = value.toString().left(column.length);
                while (!text.isEmpty() && text.back() == u' ') {
                    text.chop(1);
                }
                value = text;
                break;
            }
            case FieldType::Integer:
                value = qlonglong(std::llround(value.toDouble()));
                break;
            case FieldType::Number: {
                // A value with no more places than the column's comes back as it is.
                const double number = value.toDouble();
                value = xbase::decimalText::scaledDigits(number, column.decimals)
                            ? number
                            : QString::number(number, 'f', column.decimals).toDouble();
                break;
            }
            case FieldType::Boolean:
                value = value.toBool();
                break;
            case FieldType::Date:
                value = value.toDate();
                break;
            case FieldType::Time: {
                const QTime time = value.toTime();
                value = time.isValid() ? QTime(time.hour(), time.minute(), time.second()) : QTime();
                break;
            }
        }
    }
    return row;
}

bool XbaseStore::load(std::vector<StoredRow>& rows) {
    lastError_.clear();
    damaged_.clear();
    const QString name = QFileInfo(path_).fileName();
    if (!QFileInfo::exists(path_)) {
        if (!options_.createWhenMissing) {
            return fail(name + QStringLiteral(" does not exist in ") +
                        QFileInfo(path_).absolutePath());
        }
        const xbase::Status created = xbase::Table::create(path_, columns_, operations());
        if (!created.ok() && created.code() != xbase::ErrorCode::AlreadyExists) {
            return fail(created.message());
        }
    }
    // Inside a save unit that holds the table, read what the unit has written so far.
    if (SaveUnit* unit = SaveUnit::current(); unit != nullptr && unit->joined(path_) != nullptr) {
        return readRows(*unit->joined(path_), rows);
    }
    const QString folder = QFileInfo(path_).absolutePath();
    for (int attempt = 0; attempt < 4; ++attempt) {
        // The shared file lock keeps every save out while the rows are read: all of a save
        // shows, or none of it.
        xbase::Table table(operations());
        xbase::OpenOptions reading = xbase::OpenOptions::readOnlyShared();
        reading.lockPolicy = options_.lockPolicy;
        xbase::Status status = openLocked(table, path_, reading, false, operations());
        if (!status.ok()) {
            return fail(withRepairHint(status));
        }
        if (!xbase::Journal::hasAbandoned(folder, operations())) {
            const bool read = readRows(table, rows);
            table.close();
            return read;
        }
        table.close();
        status = xbase::Journal::recoverFolder(folder, operations(), options_.lockPolicy);
        if (!status.ok()) {
            return fail(status.message());
        }
    }
    return fail(name + QStringLiteral(": an interrupted save could not be put back"));
}

StoredRow XbaseStore::readRow(const xbase::Table& table, const std::vector<int>& positions,
                              QStringList* damage) const {
    StoredRow row;
    row.reserve(qsizetype(shapes_.size()));
    for (size_t index = 0; index < shapes_.size(); ++index) {
        row.append(readValue(table, positions[index], shapes_[index].type));
        if (damage != nullptr) {
            const xbase::FieldDescriptor& field = table.fields()[positions[index]];
            const QString problem =
                xbase::FieldValues::problem(table.recordBytes().constData(), field);
            if (!problem.isEmpty()) {
                *damage << QStringLiteral("%1, record %2, field %3: \"%4\" %5")
                               .arg(QFileInfo(path_).fileName())
                               .arg(table.recordNumber())
                               .arg(field.name,
                                    QString::fromLatin1(table.rawField(positions[index]).trimmed()),
                                    problem);
            }
        }
    }
    return row;
}

bool XbaseStore::readRows(xbase::Table& table, std::vector<StoredRow>& rows) {
    const QString name = QFileInfo(path_).fileName();
    std::vector<int> positions;
    for (const xbase::FieldDescriptor& column : columns_) {
        const int position = table.fieldIndex(column.name);
        if (position < 0) {
            return fail(name + QStringLiteral(" has no column ") + column.name +
                        QStringLiteral(": it is not a table of this kind"));
        }
        positions.push_back(position);
    }
    rows.clear();
    const StoredRow blank = blankRow();
    xbase::Status status;
    for (status = table.goTop(); status.ok() && !table.eof(); status = table.skip()) {
        rows.push_back(table.isDeleted() ? blank : readRow(table, positions, &damaged_));
    }
    return status.ok() || fail(status.message());
}

namespace {

// Where each column of the layout sits in the open file; empty when one is missing.
std::vector<int> columnPositions(const xbase::Table& table,
                                 const QList<xbase::FieldDescriptor>& columns) {
    std::vector<int> positions;
    for (const xbase::FieldDescriptor& column : columns) {
        const int position = table.fieldIndex(column.name);
        if (position < 0) {
            return {};
        }
        positions.push_back(position);
    }
    return positions;
}

// Puts the stored bytes of every field of the current record back from a copy of the record.
xbase::Status restoreRecord(xbase::Table& table, const QByteArray& original) {
    for (int field = 0; field < table.fields().size(); ++field) {
        const xbase::FieldDescriptor& column = table.fields()[field];
        const QByteArray bytes = original.mid(column.offset, column.length);
        const xbase::Status status =
            column.type == xbase::FieldType::Character
                ? table.setBytes(field, bytes)
                : table.setText(field, QString::fromLatin1(bytes).trimmed());
        if (!status.ok()) {
            return status;
        }
    }
    return table.flush();
}

}  // namespace

bool XbaseStore::write(const std::map<int, StoredRow>& changes, StoreJournal& journal,
                       const LoadedRows& loaded) {
    lastError_.clear();
    journal = {};
    if (changes.empty()) {
        return true;
    }
    const QString name = QFileInfo(path_).fileName();
    // Numbers that do not fit their columns are refused before anything is written.
    for (const auto& [number, row] : changes) {
        for (qsizetype index = 0; index < row.size() && index < columns_.size(); ++index) {
            const FieldType type = shapes_[size_t(index)].type;
            if (type != FieldType::Integer && type != FieldType::Number) {
                continue;
            }
            const double value = row[index].toDouble();
            if (const auto scaled =
                    xbase::decimalText::scaledDigits(value, columns_[index].decimals)) {
                char digits[20];
                if (xbase::decimalText::format(*scaled, columns_[index].decimals, digits) <=
                    columns_[index].length) {
                    continue;  // fits: no need to format it twice
                }
            }
            try {
                xbase::FieldValues::formatNumber(columns_[index], value);
            } catch (const RuntimeError& error) {
                return fail(name + QStringLiteral(", record ") + QString::number(number) +
                            QStringLiteral(": ") + error.description());
            }
        }
    }
    SaveUnit unit(operations());
    journal.inUnit = !unit.owns();
    const auto failWrite = [&](const QString& message) {
        unit.fail(message);
        return fail(message);
    };
    xbase::Table* table = nullptr;
    xbase::Status status = unit.join(path_, options_.lockPolicy, &table);
    if (!status.ok()) {
        return failWrite(withRepairHint(status));
    }
    const std::vector<int> positions = columnPositions(*table, columns_);
    if (positions.empty()) {
        return failWrite(name + QStringLiteral(" does not have the columns of this table"));
    }
    // The plan, made under the lock: rows written in place, and rows appended after the last.
    const quint32 count = table->recordCount();
    std::vector<quint32> inPlace;
    std::vector<std::pair<int, const StoredRow*>> appended;
    for (const auto& [number, row] : changes) {
        const bool wasLoaded = loaded.rows != nullptr && size_t(number) <= loaded.rows->size();
        if (loaded.rows != nullptr && !wasLoaded) {
            appended.emplace_back(number, &row);  // new: numbered after the file's last record
            continue;
        }
        if (!wasLoaded) {
            if (quint32(number) <= count) {
                inPlace.push_back(quint32(number));
            } else {
                appended.emplace_back(number, &row);
            }
            continue;
        }
        const StoredRow& before = (*loaded.rows)[size_t(number - 1)];
        bool unchanged = quint32(number) <= count && table->go(quint32(number)).ok();
        unchanged =
            unchanged &&
            (table->isDeleted() ? blankRow() : readRow(*table, positions, nullptr)) == before;
        if (unchanged) {
            inPlace.push_back(quint32(number));
        } else if (loaded.isFree && loaded.isFree(before)) {
            appended.emplace_back(number, &row);  // the free record was taken by someone else
        } else {
            return failWrite(name + QStringLiteral(", record %1 was changed by another "
                                                   "workstation after it was read; nothing was "
                                                   "saved. Open the table again and repeat the "
                                                   "change.")
                                        .arg(number));
        }
    }
    if (loaded.maximum > 0 && !appended.empty() &&
        count + appended.size() > quint32(loaded.maximum)) {
        return failWrite(name + QStringLiteral(": the table is full (%1 records); nothing was "
                                               "saved")
                                    .arg(loaded.maximum));
    }
    status = unit.protect(*table, inPlace);
    if (!status.ok()) {
        return fail(status.message());
    }
    const auto assignRow = [&](const StoredRow& row) {
        xbase::Status result;
        for (size_t index = 0; index < positions.size() && result.ok(); ++index) {
            result = writeValue(*table, positions[index], shapes_[index].type,
                                row.value(qsizetype(index)));
        }
        return result;
    };
    for (quint32 number : inPlace) {
        status = table->go(number);
        if (status.ok()) {
            journal.originals.emplace_back(number, table->recordBytes());
            status = assignRow(changes.at(int(number)));
        }
        if (status.ok()) {
            status = table->flush();
        }
        if (!status.ok()) {
            return failWrite(status.message());
        }
    }
    // New rows go in batches: one write, one header update and one index pass per batch.
    constexpr size_t batchRows = 4096;
    for (size_t start = 0; start < appended.size(); start += batchRows) {
        const size_t end = std::min(appended.size(), start + batchRows);
        status = table->startAppend(true);
        for (size_t index = start; index < end && status.ok(); ++index) {
            status = assignRow(*appended[index].second);
            if (status.ok()) {
                status = table->keepForAppend();
            }
        }
        if (status.ok()) {
            status = table->appendKept();
        }
        if (!status.ok()) {
            return failWrite(status.message());
        }
        const quint32 first = table->recordNumber() - quint32(end - start) + 1;
        for (size_t index = start; index < end; ++index) {
            const quint32 stored = first + quint32(index - start);
            journal.appended.push_back(stored);
            if (int(stored) != appended[index].first) {
                journal.renumbered.emplace(appended[index].first, int(stored));
            }
        }
    }
    QString error;
    if (!unit.commit(&error)) {
        return fail(error);
    }
    return true;
}

bool XbaseStore::append(const std::vector<StoredRow>& rows, StoreJournal& journal) {
    // Numbers beyond any file's count make write() append, in order.
    std::map<int, StoredRow> changes;
    int number = std::numeric_limits<int>::max() - int(rows.size());
    for (const StoredRow& row : rows) {
        changes.emplace(++number, row);
    }
    return write(changes, journal);
}

bool XbaseStore::undo(const StoreJournal& journal) {
    if (journal.inUnit || (journal.originals.empty() && journal.appended.empty())) {
        return true;  // the unit puts the file back
    }
    xbase::Table table(operations());
    xbase::Status status = table.open(path_, xbase::OpenOptions::shared(options_.lockPolicy));
    for (const auto& [number, original] : journal.originals) {
        if (status.ok()) {
            status = table.go(number);
        }
        if (status.ok()) {
            status = restoreRecord(table, original);
        }
    }
    for (quint32 number : journal.appended) {
        if (status.ok()) {
            status = table.go(number);
        }
        for (int field = 0; status.ok() && field < table.fields().size(); ++field) {
            status = table.setBlank(field);
        }
        if (status.ok()) {
            status = table.flush();
        }
    }
    table.close();
    if (!status.ok()) {
        lastError_ += QStringLiteral("; putting the records back failed: ") + status.message();
    }
    return status.ok();
}

}  // namespace vel
