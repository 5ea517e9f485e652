#include "host/ProductionLineFile.h"

#include "host/ColumnLayout.h"
#include "platform/xbase/Table.h"

#include <QFile>
#include <charconv>

namespace vel {

namespace {

constexpr qint64 chunkRecords = 4096;

// A column of the file as the parser needs it: its place and width in the record.
struct Slot {
    int offset = 0;
    int length = 0;
};

double parseNumber(const char* bytes, int length) {
    const char* begin = bytes;
    const char* end = bytes + length;
    while (begin < end && *begin == ' ') {
        ++begin;
    }
    double value = 0.0;
    std::from_chars(begin, end, value);
    return value;
}

QDate parseDate(const char* bytes) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (std::from_chars(bytes, bytes + 4, year).ec != std::errc() ||
        std::from_chars(bytes + 4, bytes + 6, month).ec != std::errc() ||
        std::from_chars(bytes + 6, bytes + 8, day).ec != std::errc()) {
        return {};
    }
    return QDate(year, month, day);
}

// The record's fields in the order of ProductionLineRecord::fields().
void parseLine(const char* record, const std::vector<Slot>& slots, ProductionLineRecord& line) {
    size_t field = 0;
    const auto number = [&]() {
        const Slot& slot = slots[field++];
        return parseNumber(record + slot.offset, slot.length);
    };
    line.Date = parseDate(record + slots[field++].offset);
    line.Associate = int(number());
    line.WorkCenter = int(number());
    line.Activity = int(number());
    line.Allocation = int(number());
    line.Hours = number();
    for (int& element : line.Element) {
        element = int(number());
    }
    for (double& units : line.Units) {
        units = number();
    }
    for (double& minutes : line.StdMinutes) {
        minutes = number();
    }
    line.Cost = number();
    line.AuditedUnits = number();
    line.CatchFailed = number();
    line.CheckFailed = number();
    line.AuditFailed = number();
}

}  // namespace

bool ProductionLineFile::fail(const QString& message) {
    lastError_ = message;
    return false;
}

qint64 ProductionLineFile::recordCount() {
    xbase::Table table;
    const xbase::Status status = table.open(path_, xbase::OpenOptions::readOnlyShared());
    if (!status.ok()) {
        fail(status.message());
        return -1;
    }
    const qint64 count = table.recordCount();
    table.close();
    return count;
}

bool ProductionLineFile::read(
    qint64 fromRecord, const std::function<bool(qint64 number, const ProductionLineRecord&)>& visit,
    qint64* through) {
    xbase::Table table;
    const xbase::Status status = table.open(path_, xbase::OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return fail(status.message());
    }
    const xbase::TableHeader header = table.header();
    const qint64 count = table.recordCount();
    table.close();
    if (through != nullptr) {
        *through = std::max<qint64>(count, fromRecord - 1);
    }
    std::vector<Slot> slots;
    const auto columns = ColumnLayout::columnsFor(shapesOf<ProductionLineRecord>(), {});
    for (const xbase::FieldDescriptor& column : columns) {
        const int index = header.fieldIndex(column.name);
        if (index < 0) {
            return fail(path_ + QStringLiteral(": the column ") + column.name +
                        QStringLiteral(" of the production-sheet lines is missing"));
        }
        const xbase::FieldDescriptor& stored = header.fields[index];
        slots.push_back({stored.offset, stored.length});
    }
    const int activityColumn = 3;  // a line is active while its activity is set
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(path_ + QStringLiteral(": ") + file.errorString());
    }
    const qint64 length = header.recordLength;
    QByteArray buffer;
    ProductionLineRecord line;
    for (qint64 first = std::max<qint64>(fromRecord, 1); first <= count; first += chunkRecords) {
        const qint64 records = std::min(chunkRecords, count - first + 1);
        if (!file.seek(header.recordOffset(quint32(first)))) {
            return fail(path_ + QStringLiteral(": ") + file.errorString());
        }
        buffer = file.read(records * length);
        if (buffer.size() != records * length) {
            return fail(path_ + QStringLiteral(": the file ends inside a record"));
        }
        for (qint64 index = 0; index < records; ++index) {
            const char* record = buffer.constData() + index * length;
            const Slot& activity = slots[activityColumn];
            if (record[0] == '*' || parseNumber(record + activity.offset, activity.length) == 0.0) {
                continue;
            }
            parseLine(record, slots, line);
            if (!visit(first + index, line)) {
                if (through != nullptr) {
                    *through = first + index;
                }
                return true;
            }
        }
    }
    return true;
}

qint64 ProductionLineFile::append(const std::vector<ProductionLineRecord>& lines) {
    xbase::Table table;
    xbase::Status status =
        table.open(path_, xbase::OpenOptions::shared(xbase::LockPolicy::retry(10)));
    if (!status.ok()) {
        fail(status.message());
        return 0;
    }
    // The columns in the order of ProductionLineRecord::fields(); the first is the date.
    std::vector<int> columns;
    for (const xbase::FieldDescriptor& column :
         ColumnLayout::columnsFor(shapesOf<ProductionLineRecord>(), {})) {
        columns.push_back(table.fieldIndex(column.name));
        if (columns.back() < 0) {
            table.close();
            fail(path_ + QStringLiteral(": the column ") + column.name +
                 QStringLiteral(" of the production-sheet lines is missing"));
            return 0;
        }
    }
    // One append lock for the batch: nobody appends between our records.
    status = table.lockAppend();
    const qint64 first = qint64(table.recordCount()) + 1;
    qint64 written = 0;
    for (const ProductionLineRecord& line : lines) {
        if (!status.ok()) {
            break;
        }
        status = table.startAppend(true);
        size_t column = 0;
        if (status.ok()) {
            status = table.setDate(columns[column++], line.Date);
        }
        const auto number = [&](double value) {
            if (status.ok()) {
                status = table.setNumber(columns[column], value);
            }
            ++column;
        };
        for (int value : {line.Associate, line.WorkCenter, line.Activity, line.Allocation}) {
            number(value);
        }
        number(line.Hours);
        for (int element : line.Element) {
            number(element);
        }
        for (const auto* values : {&line.Units, &line.StdMinutes}) {
            for (double value : *values) {
                number(value);
            }
        }
        for (double value :
             {line.Cost, line.AuditedUnits, line.CatchFailed, line.CheckFailed, line.AuditFailed}) {
            number(value);
        }
        if (status.ok()) {
            status = table.appendCurrent();
        }
        written += status.ok() ? 1 : 0;
    }
    if (!status.ok()) {
        // Takes the batch back: the records appended so far are left blank (inactive).
        const QString message = status.message();
        for (qint64 record = first; record < first + written; ++record) {
            if (table.go(quint32(record)).ok()) {
                for (int column : columns) {
                    table.setBlank(column);
                }
                table.flush();
            }
        }
        table.unlockAll();
        table.close();
        fail(message);
        return 0;
    }
    table.unlockAll();
    status = table.close();
    if (!status.ok()) {
        fail(status.message());
        return 0;
    }
    return first;
}

}  // namespace vel
