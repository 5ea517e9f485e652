#include "host/ProductionLineFile.h"

#include "host/ColumnLayout.h"
#include "platform/xbase/DecimalText.h"
#include "platform/xbase/Table.h"

#include <QFile>
#include <algorithm>
#include <charconv>
#include <numeric>

namespace vel {

namespace {

constexpr qint64 chunkRecords = 4096;

// A column of the file as the parser needs it: its place and width in the record.
struct Slot {
    int offset = 0;
    int length = 0;
};

// A number field: blanks, then the number; the plain decimal texts the file holds are converted
// exactly without from_chars, which takes the rest.
double parseNumber(const char* bytes, int length) {
    const char* begin = bytes;
    const char* end = bytes + length;
    while (begin < end && *begin == ' ') {
        ++begin;
    }
    if (const auto plain = xbase::decimalText::parse(begin, end)) {
        return *plain;
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

// The file opened for reading: its layout, the columns' places and the records in it when it
// was opened. Records are read in chunks; use(number, bytes) sees the bytes of each record
// (active or not).
class ProductionLineFile::Reader {
  public:
    explicit Reader(QString path) : path_(std::move(path)), file_(path_) {}

    bool open() {
        xbase::Table table;
        const xbase::Status status = table.open(path_, xbase::OpenOptions::readOnlyShared());
        if (!status.ok()) {
            return fail(status.message());
        }
        header_ = table.header();
        count_ = table.recordCount();
        table.close();
        const auto columns = ColumnLayout::columnsFor(shapesOf<ProductionLineRecord>(), {});
        for (const xbase::FieldDescriptor& column : columns) {
            const int index = header_.fieldIndex(column.name);
            if (index < 0) {
                return fail(path_ + QStringLiteral(": the column ") + column.name +
                            QStringLiteral(" of the production-sheet lines is missing"));
            }
            const xbase::FieldDescriptor& stored = header_.fields[index];
            slots_.push_back({stored.offset, stored.length});
        }
        return file_.open(QIODevice::ReadOnly) ||
               fail(path_ + QStringLiteral(": ") + file_.errorString());
    }

    qint64 count() const { return count_; }
    const QString& lastError() const { return lastError_; }

    // Records first..last; stops early when use answers false.
    template <typename Use>
    bool scan(qint64 first, qint64 last, Use&& use) {
        const qint64 length = header_.recordLength;
        for (qint64 start = std::max<qint64>(first, 1); start <= std::min(last, count_);
             start += chunkRecords) {
            const qint64 records = std::min(chunkRecords, std::min(last, count_) - start + 1);
            if (!file_.seek(header_.recordOffset(quint32(start)))) {
                return fail(path_ + QStringLiteral(": ") + file_.errorString());
            }
            buffer_.resize(records * length);
            if (file_.read(buffer_.data(), buffer_.size()) != buffer_.size()) {
                return fail(path_ + QStringLiteral(": the file ends inside a record"));
            }
            for (qint64 index = 0; index < records; ++index) {
                if (!use(start + index, buffer_.constData() + index * length)) {
                    return true;
                }
            }
        }
        return true;
    }

    // A line is active while it is not deleted and its activity is set.
    bool isActive(const char* record) const {
        const Slot& activity = slots_[activityColumn];
        return record[0] != '*' && parseNumber(record + activity.offset, activity.length) != 0.0;
    }
    QDate dateOf(const char* record) const { return parseDate(record + slots_[0].offset); }
    void parse(const char* record, ProductionLineRecord& line) const {
        parseLine(record, slots_, line);
    }

  private:
    static constexpr int activityColumn = 3;

    bool fail(const QString& message) {
        lastError_ = message;
        return false;
    }

    QString path_;
    QFile file_;
    xbase::TableHeader header_;
    qint64 count_ = 0;
    std::vector<Slot> slots_;
    QByteArray buffer_;
    QString lastError_;
};

bool ProductionLineFile::read(
    qint64 fromRecord, const std::function<bool(qint64 number, const ProductionLineRecord&)>& visit,
    qint64* through) {
    Reader reader(path_);
    if (!reader.open()) {
        return fail(reader.lastError());
    }
    if (through != nullptr) {
        *through = std::max<qint64>(reader.count(), fromRecord - 1);
    }
    ProductionLineRecord line;
    const bool read =
        reader.scan(fromRecord, reader.count(), [&](qint64 number, const char* bytes) {
            if (!reader.isActive(bytes)) {
                return true;
            }
            reader.parse(bytes, line);
            if (!visit(number, line)) {
                if (through != nullptr) {
                    *through = number;
                }
                return false;
            }
            return true;
        });
    return read || fail(reader.lastError());
}

bool ProductionLineFile::readDateRange(
    const QDate& from, const QDate& to,
    const std::function<bool(const ProductionLineRecord&)>& visit) {
    Reader reader(path_);
    if (!reader.open()) {
        return fail(reader.lastError());
    }
    // First the numbers and days of the lines in the range, reading only their dates.
    struct Key {
        qint64 day;
        qint64 number;
    };
    std::vector<Key> keys;
    const auto inRange = [&](const char* bytes, QDate* date) {
        *date = reader.dateOf(bytes);
        return date->isValid() && *date >= from && *date <= to && reader.isActive(bytes);
    };
    QDate date;
    bool read = reader.scan(1, reader.count(), [&](qint64 number, const char* bytes) {
        if (inRange(bytes, &date)) {
            keys.push_back({date.toJulianDay(), number});
        }
        return true;
    });
    if (!read) {
        return fail(reader.lastError());
    }
    if (keys.empty()) {
        return true;
    }
    const auto byDay = [](const Key& left, const Key& right) { return left.day < right.day; };
    const bool inDateOrder = std::is_sorted(keys.begin(), keys.end(), byDay);
    // Lines recorded day after day (the usual case) are handed over as they are read again;
    // otherwise each goes to its place in date order first. A line deleted or changed since
    // the first reading is left out.
    std::vector<ProductionLineRecord> sorted;
    std::vector<qint64> place;
    if (!inDateOrder) {
        std::vector<qint64> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](qint64 left, qint64 right) {
            return keys[size_t(left)].day < keys[size_t(right)].day;
        });
        place.resize(keys.size());
        for (size_t rank = 0; rank < order.size(); ++rank) {
            place[size_t(order[rank])] = qint64(rank);
        }
        sorted.resize(keys.size());
    }
    size_t next = 0;
    bool visiting = true;
    ProductionLineRecord line;
    read =
        reader.scan(keys.front().number, keys.back().number, [&](qint64 number, const char* bytes) {
            if (number != keys[next].number) {
                return true;
            }
            const size_t key = next++;
            if (inRange(bytes, &date)) {
                if (inDateOrder) {
                    reader.parse(bytes, line);
                    visiting = visit(line);
                } else {
                    reader.parse(bytes, sorted[size_t(place[key])]);
                }
            }
            return visiting && next < keys.size();
        });
    if (!read) {
        return fail(reader.lastError());
    }
    for (size_t index = 0; visiting && index < sorted.size(); ++index) {
        // A line left out in the second reading kept its empty activity.
        if (sorted[index].Activity != 0) {
            visiting = visit(sorted[index]);
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
