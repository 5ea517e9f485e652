#include "host/XbaseStore.h"

#include "platform/xbase/FieldValues.h"
#include "platform/xbase/Table.h"
#include "services/RuntimeError.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace vel {

namespace {

const QString timeFormat = QStringLiteral("HH:mm:ss");

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
      options_(std::move(options)) {}

xbase::FileOperations& XbaseStore::operations() const {
    return options_.operations != nullptr ? *options_.operations
                                          : xbase::FileOperations::standard();
}

bool XbaseStore::fail(const QString& message) {
    lastError_ = message;
    return false;
}

StoredRow XbaseStore::blankRow() const {
    StoredRow row;
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

StoredRow XbaseStore::normalized(const StoredRow& row) const {
    StoredRow result = blankRow();
    for (qsizetype index = 0; index < result.size() && index < row.size(); ++index) {
        const xbase::FieldDescriptor& column = columns_[index];
        const QVariant& value = row[index];
        switch (shapes_[size_t(index)].type) {
            case FieldType::Text: {
                QString text = value.toString().left(column.length);
                while (!text.isEmpty() && text.back() == u' ') {
                    text.chop(1);
                }
                result[index] = text;
                break;
            }
            case FieldType::Integer:
                result[index] = qlonglong(std::llround(value.toDouble()));
                break;
            case FieldType::Number:
                result[index] = QString::number(value.toDouble(), 'f', column.decimals).toDouble();
                break;
            case FieldType::Boolean:
                result[index] = value.toBool();
                break;
            case FieldType::Date:
                result[index] = value.toDate();
                break;
            case FieldType::Time: {
                const QTime time = value.toTime();
                result[index] =
                    time.isValid() ? QTime(time.hour(), time.minute(), time.second()) : QTime();
                break;
            }
        }
    }
    return result;
}

bool XbaseStore::load(std::vector<StoredRow>& rows) {
    lastError_.clear();
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
    xbase::Table table(operations());
    xbase::Status status = table.open(path_, xbase::OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return fail(status.message());
    }
    std::vector<int> positions;
    for (const xbase::FieldDescriptor& column : columns_) {
        const int position = table.fieldIndex(column.name);
        if (position < 0) {
            table.close();
            return fail(name + QStringLiteral(" has no column ") + column.name +
                        QStringLiteral(": it is not a table of this kind"));
        }
        positions.push_back(position);
    }
    rows.clear();
    const StoredRow blank = blankRow();
    for (status = table.goTop(); status.ok() && !table.eof(); status = table.skip()) {
        if (table.isDeleted()) {
            rows.push_back(blank);
            continue;
        }
        StoredRow row;
        row.reserve(qsizetype(shapes_.size()));
        for (size_t index = 0; index < shapes_.size(); ++index) {
            row.append(readValue(table, positions[index], shapes_[index].type));
        }
        rows.push_back(std::move(row));
    }
    table.close();
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

bool XbaseStore::write(const std::map<int, StoredRow>& changes, StoreJournal& journal) {
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
            try {
                xbase::FieldValues::formatNumber(columns_[index], row[index].toDouble());
            } catch (const RuntimeError& error) {
                return fail(name + QStringLiteral(", record ") + QString::number(number) +
                            QStringLiteral(": ") + error.description());
            }
        }
    }
    xbase::Table table(operations());
    xbase::Status status = table.open(path_, xbase::OpenOptions::shared(options_.lockPolicy));
    if (!status.ok()) {
        return fail(status.message());
    }
    const std::vector<int> positions = columnPositions(table, columns_);
    if (positions.empty()) {
        table.close();
        return fail(name + QStringLiteral(" does not have the columns of this table"));
    }
    const quint32 count = table.recordCount();
    for (const auto& [number, row] : changes) {
        if (quint32(number) <= count && !(status = table.lockRecord(quint32(number))).ok()) {
            table.unlockAll();
            table.close();
            return fail(status.message());
        }
    }
    const auto assignRow = [&](const StoredRow& row) {
        xbase::Status result;
        for (size_t index = 0; index < positions.size() && result.ok(); ++index) {
            result = writeValue(table, positions[index], shapes_[index].type,
                                row.value(qsizetype(index)));
        }
        return result;
    };
    for (const auto& [number, row] : changes) {
        if (quint32(number) <= count) {
            status = table.go(quint32(number));
            if (status.ok()) {
                journal.originals.emplace_back(quint32(number), table.recordBytes());
                status = assignRow(row);
            }
            if (status.ok()) {
                status = table.flush();
            }
        } else {
            const quint32 countBefore = table.recordCount();
            status = table.startAppend(true);
            if (status.ok()) {
                status = assignRow(row);
            }
            if (status.ok()) {
                status = table.appendCurrent();
            }
            if (status.ok()) {
                journal.appended.push_back(table.recordNumber());
            } else if (table.recordCount() > countBefore) {
                journal.appended.push_back(countBefore + 1);  // landed, though the append failed
            }
        }
        if (!status.ok()) {
            break;
        }
    }
    table.unlockAll();
    table.close();
    if (!status.ok()) {
        const QString message = status.message();
        undo(journal);
        journal = {};
        return fail(message);
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
    if (journal.originals.empty() && journal.appended.empty()) {
        return true;
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
