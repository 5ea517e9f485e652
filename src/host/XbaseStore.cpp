#include "host/XbaseStore.h"

#include "host/SaveUnit.h"

#include "platform/xbase/FieldValues.h"
#include "platform/xbase/Table.h"
#include "services/RuntimeError.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <limits>

namespace vel {

namespace {

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

}  // namespace

XbaseStore::XbaseStore(QString path, std::vector<ColumnShape> shapes,
                       const QHash<QString, QString>& names, StoreOptions options)
    : path_(std::move(path)),
      shapes_(std::move(shapes)),
      columns_(ColumnLayout::columnsFor(shapes_, names)),
      options_(std::move(options)),
      codec_(shapes_, columns_) {}

xbase::FileOperations& XbaseStore::operations() const {
    return options_.operations != nullptr ? *options_.operations
                                          : xbase::FileOperations::standard();
}

bool XbaseStore::fail(const QString& message) {
    lastError_ = message;
    return false;
}

QString XbaseStore::unfitMessage(int number, const QString& problem) const {
    return QFileInfo(path_).fileName() + QStringLiteral(", record ") + QString::number(number) +
           QStringLiteral(": ") + problem;
}

bool XbaseStore::load(std::vector<StoredRow>& rows) {
    RowStore packed;
    if (!loadPacked(packed)) {
        return false;
    }
    rows.clear();
    rows.reserve(packed.size());
    for (size_t index = 0; index < packed.size(); ++index) {
        rows.push_back(codec_.unpack(PackedRow::fromRawData(packed.at(index), packed.length())));
    }
    return true;
}

bool XbaseStore::loadPacked(RowStore& rows) {
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

namespace {

// A stored record as a row of the codec (into bytes), whose columns sit at the given field
// positions of the file with the same widths (identical: at the same places too). Deleted
// records are blank.
void packRecord(char* bytes, const char* record, const QList<xbase::FieldDescriptor>& fields,
                const RowCodec& codec, const std::vector<int>& positions, bool identical) {
    const size_t length = size_t(codec.recordLength());
    if (record[0] == '*') {
        std::memcpy(bytes, codec.blank().constData(), length);
        return;
    }
    if (identical) {
        std::memcpy(bytes, record, length);
        bytes[0] = ' ';
        return;
    }
    std::memcpy(bytes, codec.blank().constData(), length);
    for (size_t column = 0; column < positions.size(); ++column) {
        const xbase::FieldDescriptor& to = codec.layout()[qsizetype(column)];
        std::memcpy(bytes + to.offset, record + fields[positions[column]].offset,
                    size_t(to.length));
    }
}

// Whether a stored record still holds the row as it was read, without making the row in the
// common case of a file in the codec's own layout.
bool holdsLoaded(const char* record, const QList<xbase::FieldDescriptor>& fields,
                 const RowCodec& codec, const std::vector<int>& positions, bool identical,
                 const LoadedRows& loaded, int number) {
    if (!identical || record[0] == '*') {
        QByteArray row(codec.recordLength(), Qt::Uninitialized);
        packRecord(row.data(), record, fields, codec, positions, identical);
        return loaded.holds(number, row.constData());
    }
    return loaded.holds(number, record);
}

// Puts a row of the codec into a stored record (whose other fields it keeps), as a live record.
void placeRow(char* record, const QList<xbase::FieldDescriptor>& fields, const RowCodec& codec,
              const std::vector<int>& positions, bool identical, const char* row) {
    if (identical) {
        std::memcpy(record, row, size_t(codec.recordLength()));
        return;
    }
    record[0] = ' ';
    for (size_t column = 0; column < positions.size(); ++column) {
        const xbase::FieldDescriptor& from = codec.layout()[qsizetype(column)];
        std::memcpy(record + fields[positions[column]].offset, row + from.offset,
                    size_t(from.length));
    }
}

// Puts a row of the codec into the current record, which becomes a live record.
xbase::Status assignPacked(xbase::Table& table, const RowCodec& codec,
                           const std::vector<int>& positions, bool identical, const char* row) {
    QByteArray record = table.recordBytes();
    placeRow(record.data(), table.fields(), codec, positions, identical, row);
    return table.setRecordBytes(record);
}

// Calls work(begin, end) for each run of consecutive numbers (ascending), at most maxRun long.
template <typename Work>
xbase::Status forEachRun(const std::vector<quint32>& numbers, Work work) {
    constexpr size_t maxRun = 2048;
    xbase::Status status;
    for (size_t begin = 0; begin < numbers.size() && status.ok();) {
        size_t end = begin + 1;
        while (end < numbers.size() && end - begin < maxRun &&
               numbers[end] == numbers[end - 1] + 1) {
            ++end;
        }
        status = work(begin, end);
        begin = end;
    }
    return status;
}

// Puts the current record back as it was, deletion flag included.
xbase::Status restoreRecord(xbase::Table& table, const QByteArray& original) {
    const xbase::Status status = table.setRecordBytes(original);
    return status.ok() ? table.flush() : status;
}

bool sameShapes(const QList<xbase::FieldDescriptor>& first,
                const QList<xbase::FieldDescriptor>& second) {
    return std::ranges::equal(first, second, [](const auto& one, const auto& other) {
        return one.type == other.type && one.length == other.length &&
               one.decimals == other.decimals;
    });
}

// Whether the file holds exactly the table's columns, in order, so that a packed row is the
// file's record as it stands.
bool identicalLayout(const xbase::Table& table, const RowCodec& codec,
                     const std::vector<int>& positions) {
    for (size_t column = 0; column < positions.size(); ++column) {
        if (positions[column] != int(column)) {
            return false;
        }
    }
    return table.fields().size() == qsizetype(positions.size()) &&
           table.recordBytes().size() == codec.recordLength();
}

}  // namespace

bool XbaseStore::fileCodec(const xbase::Table& table, RowCodec& codec,
                           std::vector<int>& positions) const {
    positions.clear();
    QList<xbase::FieldDescriptor> columns = columns_;
    for (xbase::FieldDescriptor& column : columns) {
        const int position = table.fieldIndex(column.name);
        if (position < 0) {
            return false;
        }
        positions.push_back(position);
        const xbase::FieldDescriptor& field = table.fields()[position];
        column.type = field.type;
        column.length = field.length;
        column.decimals = field.decimals;
    }
    codec = sameShapes(columns, codec_.layout()) ? codec_ : RowCodec(shapes_, columns);
    return true;
}

namespace {

// Values of a live record that cannot be read as their field's type, among the given fields.
void noteDamage(QStringList& damaged, const QString& name, const char* record, quint32 number,
                const QList<xbase::FieldDescriptor>& fields, const std::vector<int>& positions) {
    for (const int position : positions) {
        const xbase::FieldDescriptor& field = fields[position];
        const QString problem = xbase::FieldValues::problem(record, field);
        if (!problem.isEmpty()) {
            const QByteArray raw = QByteArray(record + field.offset, field.length).trimmed();
            damaged << QStringLiteral("%1, record %2, field %3: \"%4\" %5")
                           .arg(name)
                           .arg(number)
                           .arg(field.name, QString::fromLatin1(raw), problem);
        }
    }
}

}  // namespace

bool XbaseStore::readRows(xbase::Table& table, RowStore& rows) {
    const QString name = QFileInfo(path_).fileName();
    std::vector<int> positions;
    RowCodec codec;
    if (!fileCodec(table, codec, positions)) {
        return fail(name + QStringLiteral(" has no column ") +
                    columns_[qsizetype(positions.size())].name +
                    QStringLiteral(": it is not a table of this kind"));
    }
    codec_ = codec;
    const bool identical = identicalLayout(table, codec_, positions);
    // Read a run of records at a time.
    constexpr quint32 runLength = 2048;
    const quint32 count = table.recordCount();
    const qsizetype length = table.header().recordLength;
    rows.reset(codec_.recordLength());
    QByteArray run;
    // Text cannot be damaged: only the other fields are checked.
    std::vector<int> checked;
    for (const int position : positions) {
        if (table.fields()[position].type != xbase::FieldType::Character) {
            checked.push_back(position);
        }
    }
    for (quint32 first = 1; first <= count; first += runLength) {
        const quint32 records = std::min(runLength, count - first + 1);
        run.resize(qsizetype(records) * length);
        const xbase::Status status = table.readRecords(first, records, run.data());
        if (!status.ok()) {
            return fail(status.message());
        }
        for (quint32 offset = 0; offset < records; ++offset) {
            const char* record = run.constData() + qsizetype(offset) * length;
            packRecord(rows.appendRow(), record, table.fields(), codec_, positions, identical);
            if (record[0] != '*') {
                noteDamage(damaged_, name, record, first + offset, table.fields(), checked);
            }
        }
    }
    return true;
}

LoadedRows LoadedRows::of(const RowStore& rows) {
    LoadedRows loaded;
    loaded.count = int(rows.size());
    loaded.holds = [&rows](int number, const char* record) {
        const char* row = rows.at(size_t(number - 1));
        return row[0] == ' ' && std::memcmp(record + 1, row + 1, size_t(rows.length() - 1)) == 0;
    };
    return loaded;
}

namespace {

// The rows to write; false when one is not of the codec's length.
bool rowsToWrite(const std::map<int, PackedRow>& changes, qsizetype length,
                 std::vector<RowToWrite>& rows) {
    rows.reserve(changes.size());
    for (const auto& [number, row] : changes) {
        if (row.size() != length) {
            return false;
        }
        rows.push_back({number, row.constData()});
    }
    return true;
}

// The row of a record number among rows in ascending numbers (which hold it).
const char* rowOf(const std::vector<RowToWrite>& rows, int number) {
    return std::ranges::lower_bound(rows, number, {}, &RowToWrite::number)->row;
}

}  // namespace

bool XbaseStore::write(const std::map<int, PackedRow>& changes, StoreJournal& journal,
                       const LoadedRows& loaded) {
    std::vector<RowToWrite> rows;
    if (!rowsToWrite(changes, codec_.recordLength(), rows)) {
        journal = {};
        return fail(QFileInfo(path_).fileName() + QStringLiteral(": a row of the wrong length"));
    }
    return writeRows(&rows, nullptr, journal, loaded);
}

bool XbaseStore::write(const std::vector<RowToWrite>& changes, StoreJournal& journal,
                       const LoadedRows& loaded) {
    return writeRows(&changes, nullptr, journal, loaded);
}

bool XbaseStore::append(const std::vector<StoredRow>& rows, StoreJournal& journal) {
    // Numbers beyond any file's count make the write append, in order.
    std::map<int, StoredRow> changes;
    int number = std::numeric_limits<int>::max() - int(rows.size());
    for (const StoredRow& row : rows) {
        changes.emplace(++number, row);
    }
    return writeRows(nullptr, &changes, journal, {});
}

// Packed rows must be in codec()'s layout, which the file must still have; rows of values are
// packed in the file's layout, and one that does not fit refuses the write.
bool XbaseStore::writeRows(const std::vector<RowToWrite>* packed,
                           const std::map<int, StoredRow>* values, StoreJournal& journal,
                           const LoadedRows& loaded) {
    lastError_.clear();
    journal = {};
    if ((packed != nullptr && packed->empty()) || (values != nullptr && values->empty())) {
        return true;
    }
    const QString name = QFileInfo(path_).fileName();
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
    std::vector<int> positions;
    RowCodec codec;
    if (!fileCodec(*table, codec, positions)) {
        return failWrite(name + QStringLiteral(" does not have the columns of this table"));
    }
    std::map<int, PackedRow> fromValues;
    std::vector<RowToWrite> fromValueRows;
    if (values != nullptr) {
        for (const auto& [number, row] : *values) {
            QString unfit;
            fromValues.emplace(number, codec.pack(row, &unfit));
            if (!unfit.isEmpty()) {
                return failWrite(unfitMessage(number, unfit));
            }
        }
        rowsToWrite(fromValues, codec.recordLength(), fromValueRows);
        packed = &fromValueRows;
    } else if (!sameShapes(codec.layout(), codec_.layout())) {
        return failWrite(name + QStringLiteral(": its columns were changed after it was read; "
                                               "nothing was saved. Open the table again and "
                                               "repeat the change."));
    }
    const std::vector<RowToWrite>& changes = *packed;
    const bool identical = identicalLayout(*table, codec, positions);
    // The plan, made under the lock: rows written in place, and rows appended after the last.
    const quint32 count = table->recordCount();
    const qsizetype length = table->header().recordLength;
    std::vector<quint32> inPlace;
    std::vector<quint32> readBefore;  // loaded rows, written in place unless others changed them
    std::vector<std::pair<int, const char*>> appended;
    const auto conflict = [&](int number) {
        return failWrite(name + QStringLiteral(", record %1 was changed by another workstation "
                                               "after it was read; nothing was saved. Open the "
                                               "table again and repeat the change.")
                                    .arg(number));
    };
    const bool known = loaded.count >= 0 && loaded.holds;
    const auto wasFree = [&](int number) { return loaded.wasFree && loaded.wasFree(number); };
    for (const auto& [number, row] : changes) {
        const bool wasLoaded = known && number <= loaded.count;
        if (known && !wasLoaded) {
            appended.emplace_back(number, row);  // new: numbered after the file's last record
        } else if (!wasLoaded) {
            if (quint32(number) <= count) {
                inPlace.push_back(quint32(number));
            } else {
                appended.emplace_back(number, row);
            }
        } else if (quint32(number) <= count) {
            readBefore.push_back(quint32(number));
        } else if (wasFree(number)) {
            appended.emplace_back(number, row);
        } else {
            return conflict(number);
        }
    }
    // The loaded rows are compared with the file a run at a time.
    QByteArray run;
    const auto runOf = [&](const std::vector<quint32>& numbers, size_t begin, size_t end) {
        run.resize(qsizetype(end - begin) * length);
        return table->readRecords(numbers[begin], quint32(end - begin), run.data());
    };
    int conflicting = 0;
    status = forEachRun(readBefore, [&](size_t begin, size_t end) {
        xbase::Status read = runOf(readBefore, begin, end);
        for (size_t index = begin; read.ok() && index < end && conflicting == 0; ++index) {
            const int number = int(readBefore[index]);
            if (holdsLoaded(run.constData() + qsizetype(index - begin) * length, table->fields(),
                            codec, positions, identical, loaded, number)) {
                inPlace.push_back(quint32(number));
            } else if (wasFree(number)) {
                appended.emplace_back(number, rowOf(changes, number));  // taken by someone else
            } else {
                conflicting = number;
            }
        }
        return read;
    });
    if (!status.ok()) {
        return failWrite(status.message());
    }
    if (conflicting != 0) {
        return conflict(conflicting);
    }
    std::ranges::sort(inPlace);
    std::ranges::sort(appended, {}, &std::pair<int, const char*>::first);
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
    // Rows written in place go a run at a time: the stored records (whose fields outside the
    // codec stay) with the rows put in, in one write.
    const bool keepOriginals = !journal.inUnit;
    status = forEachRun(inPlace, [&](size_t begin, size_t end) {
        xbase::Status step;
        if (!identical || keepOriginals) {
            step = runOf(inPlace, begin, end);
        } else {
            run.resize(qsizetype(end - begin) * length);
        }
        for (size_t index = begin; step.ok() && index < end; ++index) {
            char* record = run.data() + qsizetype(index - begin) * length;
            if (keepOriginals) {
                journal.originals.emplace_back(inPlace[index], QByteArray(record, length));
            }
            placeRow(record, table->fields(), codec, positions, identical,
                     rowOf(changes, int(inPlace[index])));
        }
        return step.ok() ? table->writeRecords(inPlace[begin], run) : step;
    });
    if (!status.ok()) {
        return failWrite(status.message());
    }
    // New rows go in batches: one write, one header update and one index pass per batch.
    constexpr size_t batchRows = 4096;
    for (size_t start = 0; start < appended.size(); start += batchRows) {
        const size_t end = std::min(appended.size(), start + batchRows);
        status = table->startAppend(true);
        for (size_t index = start; index < end && status.ok(); ++index) {
            status = assignPacked(*table, codec, positions, identical, appended[index].second);
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
