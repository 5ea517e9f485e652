#include "host/RecordTableCore.h"

#include "data/PackedRecords.h"
#include "host/SaveUnit.h"

#include <algorithm>
#include <cstring>

#include <memory>

namespace vel {

namespace {

// Whether a value counts as set: text not blank, a number not zero, a switch on, a valid date.
bool isSet(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::QString:
            return !value.toString().trimmed().isEmpty();
        case QMetaType::Bool:
            return value.toBool();
        case QMetaType::QDate:
            return value.toDate().isValid();
        case QMetaType::QTime:
            return value.toTime().isValid();
        default:
            return value.toDouble() != 0.0;
    }
}

}  // namespace

RecordTableCore::RecordTableCore(XbaseStore store, TableRules rules)
    : store_(std::move(store)), rules_(std::move(rules)) {
    activeColumn_ = column(rules_.activeField);
    codeColumn_ = column(rules_.codeField);
}

// The active rule asks this of every record, so the usual cases are read from the bytes: a text of
// blanks only is not set, one with a visible ASCII character is; numbers, switches and dates are
// read as their type. Anything else goes through the value.
bool RecordTableCore::isSetAt(const PackedRow& row, int column) const {
    if (column < 0 || row.size() != codec().recordLength()) {
        return column >= 0 && isSet(codec().value(row, column));
    }
    const xbase::FieldDescriptor& field = codec().layout()[column];
    const char* record = row.constData();
    switch (codec().shapes()[size_t(column)].type) {
        case FieldType::Text: {
            const char* begin = record + field.offset;
            const char* end = begin + field.length;
            if (std::all_of(begin, end, [](char byte) { return byte == ' '; })) {
                return false;
            }
            if (std::any_of(begin, end, [](char byte) { return byte > ' ' && byte < 127; })) {
                return true;
            }
            break;
        }
        case FieldType::Integer:
            return packedValue::whole(record, field) != 0;
        case FieldType::Number:
            return packedValue::number(record, field) != 0.0;
        case FieldType::Boolean:
            return packedValue::flag(record, field);
        case FieldType::Date:
            return packedValue::date(record, field).isValid();
        case FieldType::Time:
            break;
    }
    return isSet(codec().value(row, column));
}

int RecordTableCore::column(const QString& fieldName) const {
    const auto& shapes = store_.shapes();
    for (size_t index = 0; index < shapes.size(); ++index) {
        if (shapes[index].name == fieldName) {
            return int(index);
        }
    }
    return -1;
}

bool RecordTableCore::fail(const QString& message) {
    lastError_ = message;
    if (rules_.reportFailure) {
        rules_.reportFailure(message);
    }
    return false;
}

bool RecordTableCore::open() {
    if (!reload()) {
        return false;
    }
    open_ = true;
    wasSaved_ = false;
    return true;
}

bool RecordTableCore::reload() {
    std::vector<PackedRow> rows;
    if (!store_.loadPacked(rows)) {
        return fail(store_.lastError());
    }
    lastError_.clear();
    reportDamage();
    stored_ = std::move(rows);
    current_ = stored_;
    dropped_.clear();
    unfit_.clear();
    pendingMoves_.clear();
    rebuildIndex();
    loadedMaximum_ = -1;
    loadedMaximum_ = maximum();
    return true;
}

void RecordTableCore::close() {
    open_ = false;
    stored_.clear();
    current_.clear();
    dropped_.clear();
    unfit_.clear();
    pendingMoves_.clear();
    rebuildIndex();
    loadedMaximum_ = -1;
}

bool RecordTableCore::isActive(int number) const {
    return number >= 1 && number <= recordCount() &&
           isSetAt(current_[size_t(number - 1)], activeColumn_);
}

int RecordTableCore::freeRecord() const {
    const int limit = maximum();
    // Every record below the hint is active, so the search starts there.
    for (int number = freeHint_; number <= recordCount() && number <= limit; ++number) {
        if (!isActive(number)) {
            freeHint_ = number;
            return number;
        }
    }
    freeHint_ = qMax(1, qMin(recordCount(), limit) + 1);
    return recordCount() < limit ? recordCount() + 1 : 0;
}

QString RecordTableCore::code(int number) const {
    if (number < 1 || number > recordCount() || codeColumn_ < 0) {
        return {};
    }
    RowCodec::Reader reader(codec(), current_[size_t(number - 1)]);
    reader.setColumn(codeColumn_);
    return reader.text();
}

quint32 RecordTableCore::codeHash(QStringView key) {
    const size_t hash = qHash(key, 0);
    return quint32(hash ^ (quint64(hash) >> 32));
}

int RecordTableCore::find(const QString& wanted) const {
    ensureIndex();
    const QString key = wanted.trimmed();
    if (key.isEmpty()) {
        return 0;
    }
    return codeIndex_.lowest(codeHash(key),
                             [&](int number) { return code(number).trimmed() == key; });
}

QString RecordTableCore::indexKey(int number) const {
    return isActive(number) ? code(number).trimmed() : QString();
}

void RecordTableCore::unindex(int number) {
    if (!indexed_) {
        return;
    }
    const QString key = indexKey(number);
    if (!key.isEmpty()) {
        codeIndex_.erase(codeHash(key), number);
    }
}

void RecordTableCore::index(int number) const {
    const QString key = indexKey(number);
    if (key.isEmpty()) {
        freeHint_ = qMin(freeHint_, number);
        return;
    }
    if (indexed_) {
        codeIndex_.insert(codeHash(key), number);
    }
}

// The look-up is made at the first find(), so that a table nobody looks codes up in (the
// grouping membership) never pays for it, however many rows it rewrites.
void RecordTableCore::ensureIndex() const {
    if (indexed_) {
        return;
    }
    indexed_ = true;
    codeIndex_.reserve(size_t(recordCount()));
    const int hint = freeHint_;
    for (int number = 1; number <= recordCount(); ++number) {
        index(number);
    }
    freeHint_ = hint;
}

void RecordTableCore::rebuildIndex() {
    codeIndex_.clear();
    indexed_ = false;
    freeHint_ = 1;
}

QString RecordTableCore::usedOn(int number) const {
    return isActive(number) && rules_.usedOn ? rules_.usedOn(number) : QString();
}

StoredRow RecordTableCore::row(int number) const {
    if (number < 1 || number > recordCount()) {
        return codec().blankRow();
    }
    if (const auto found = unfit_.find(number); found != unfit_.end()) {
        return found->second.first;
    }
    return codec().unpack(current_[size_t(number - 1)]);
}

const PackedRow* RecordTableCore::packedRow(int number) const {
    if (number < 1 || number > recordCount() || unfit_.contains(number)) {
        return nullptr;
    }
    return &current_[size_t(number - 1)];
}

void RecordTableCore::setRow(int number, StoredRow row) {
    QString unfit;
    PackedRow packed = codec().pack(row, &unfit);
    setPackedRow(number, std::move(packed), unfit, unfit.isEmpty() ? StoredRow() : std::move(row));
}

void RecordTableCore::setPackedRow(int number, PackedRow packed, const QString& unfit,
                                   StoredRow values) {
    if (number < 1) {
        return;
    }
    while (recordCount() < number) {
        current_.push_back(codec().blank());
    }
    if (unfit.isEmpty()) {
        unfit_.erase(number);
    } else {
        unfit_[number] = {std::move(values), unfit};
    }
    const size_t index = size_t(number - 1);
    if (index < stored_.size() && stored_[index].isNull()) {
        // Back to the bytes as loaded: the row is unchanged again.
        if (packed.size() == codec().recordLength() && packed[0] == ' ' &&
            digest(packed.constData()) == dropped_[index].hash) {
            stored_[index] = packed;
        }
    } else if (index < stored_.size() && packed != stored_[index]) {
        // The same values stored with other spacing (by another program) are no change.
        if (codec().sameValues(packed, stored_[index])) {
            packed = stored_[index];
        } else {
            dropLoaded(index);
        }
    }
    // A row whose code and active fields keep their bytes keeps its place in the code look-up
    // (an import that changes names and wages does not take every row out and put it back).
    const PackedRow& previous = current_[index];
    const auto sameBytes = [&](int column) {
        if (column < 0) {
            return true;
        }
        const xbase::FieldDescriptor& field = codec().layout()[column];
        return previous.size() == packed.size() && packed.size() == codec().recordLength() &&
               std::memcmp(previous.constData() + field.offset, packed.constData() + field.offset,
                           size_t(field.length)) == 0;
    };
    if (sameBytes(codeColumn_) && sameBytes(activeColumn_)) {
        current_[index] = std::move(packed);
        return;
    }
    unindex(number);
    current_[index] = std::move(packed);
    this->index(number);
}

bool RecordTableCore::remove(int number, int target) {
    if (number < 1 || number > recordCount() || target == number) {
        return false;
    }
    unindex(number);
    current_[size_t(number - 1)] = codec().blank();
    unfit_.erase(number);
    index(number);
    pendingMoves_.emplace_back(number, target);
    return true;
}

bool RecordTableCore::hasEdits() const {
    return current_ != stored_ || !pendingMoves_.empty() || !unfit_.empty();
}

StoredRow RecordTableCore::storedRow(int number) const {
    if (number < 1 || size_t(number) > stored_.size()) {
        return codec().blankRow();
    }
    if (stored_[size_t(number - 1)].isNull()) {
        std::vector<PackedRow> rows;
        XbaseStore reader = store_;  // reading must not change this table's own store
        if (reader.loadPacked(rows) && size_t(number) <= rows.size()) {
            return codec().unpack(rows[size_t(number - 1)]);
        }
        return codec().blankRow();
    }
    return codec().unpack(stored_[size_t(number - 1)]);
}

void RecordTableCore::dropLoaded(size_t index) {
    const PackedRow& loaded = stored_[index];
    if (loaded.size() != codec().recordLength() || loaded[0] != ' ') {
        return;  // kept: the digest covers rows as the file gives them
    }
    if (dropped_.size() < stored_.size()) {
        dropped_.resize(stored_.size());
    }
    dropped_[index] = {digest(loaded.constData()),
                       activeColumn_ >= 0 && !isSetAt(loaded, activeColumn_)};
    stored_[index] = PackedRow();
}

bool RecordTableCore::holdsLoaded(int number, const char* record) const {
    const PackedRow& loaded = stored_[size_t(number - 1)];
    const size_t length = size_t(codec().recordLength());
    if (!loaded.isNull()) {
        return size_t(loaded.size()) == length && loaded[0] == ' ' &&
               std::memcmp(record + 1, loaded.constData() + 1, length - 1) == 0;
    }
    return digest(record) == dropped_[size_t(number - 1)].hash;
}

bool RecordTableCore::wasFree(int number) const {
    const PackedRow& loaded = stored_[size_t(number - 1)];
    if (loaded.isNull()) {
        return dropped_[size_t(number - 1)].free;
    }
    return activeColumn_ >= 0 && !isSetAt(loaded, activeColumn_);
}

bool RecordTableCore::rowChanged(int number) const {
    const size_t index = size_t(number - 1);
    return number >= 1 && number <= recordCount() &&
           (index >= stored_.size() || current_[index] != stored_[index] ||
            unfit_.contains(number));
}

void RecordTableCore::cancel() {
    if (!dropped_.empty()) {
        // The changed rows are read back from the file.
        std::vector<PackedRow> rows;
        if (!store_.loadPacked(rows)) {
            fail(store_.lastError());
        }
        for (size_t index = 0; index < stored_.size(); ++index) {
            if (stored_[index].isNull()) {
                stored_[index] = index < rows.size() ? rows[index] : codec().blank();
            }
        }
        dropped_.clear();
    }
    current_ = stored_;
    unfit_.clear();
    pendingMoves_.clear();
    rebuildIndex();
}

// Values that cannot be read load as empty; each is said through the error report so that a
// damaged file does not pass unnoticed.
void RecordTableCore::reportDamage() {
    const QStringList& damaged = store_.damagedValues();
    constexpr int shown = 10;
    for (int index = 0; index < damaged.size() && index < shown; ++index) {
        if (rules_.reportFailure) {
            rules_.reportFailure(damaged[index] + QStringLiteral(" (read as empty)"));
        }
    }
    if (damaged.size() > shown && rules_.reportFailure) {
        rules_.reportFailure(QStringLiteral("%1 more values of %2 cannot be read")
                                 .arg(damaged.size() - shown)
                                 .arg(store_.path()));
    }
}

bool RecordTableCore::save() {
    SaveUnit unit(store_.operations());
    UndoList undo;
    if (!saveInto(undo)) {
        return false;  // the unit puts the files back
    }
    QString error;
    if (!unit.commit(&error)) {
        undo.runAll();
        return fail(error);
    }
    undo.clear();
    return true;
}

bool RecordTableCore::saveInto(UndoList& undo,
                               const std::function<bool(UndoList&, QString&)>& beforeWrite) {
    if (!open_) {
        return fail(rules_.name + QStringLiteral(" Table is not open"));
    }
    if (!unfit_.empty()) {
        const auto& [number, row] = *unfit_.begin();
        return fail(store_.unfitMessage(number, row.second));
    }
    UndoList mine;
    QString error;
    for (const auto& [from, to] : pendingMoves_) {
        if (rules_.moveData && !rules_.moveData(from, to, mine, error)) {
            mine.runAll();
            return fail(error);
        }
    }
    if (beforeWrite && !beforeWrite(mine, error)) {
        mine.runAll();
        return fail(error);
    }
    std::vector<RowToWrite> changes;
    for (int number = 1; number <= recordCount(); ++number) {
        const size_t index = size_t(number - 1);
        if (index >= stored_.size() || current_[index] != stored_[index]) {
            changes.push_back({number, &current_[index]});
        }
    }
    StoreJournal journal;
    LoadedRows loaded;
    loaded.count = int(stored_.size());
    loaded.holds = [this](int number, const char* record) { return holdsLoaded(number, record); };
    loaded.wasFree = [this](int number) { return wasFree(number); };
    loaded.maximum = maximum();
    if (!store_.write(changes, journal, loaded)) {
        mine.runAll();
        return fail(store_.lastError());
    }
    renumbered_ = journal.renumbered;
    const bool wroteRows = !changes.empty();
    changes = {};  // given back before the rows are kept as stored
    const std::vector<PackedRow> previous = stored_;
    const std::vector<LoadedDigest> previousDropped = std::move(dropped_);
    dropped_.clear();
    const bool previouslySaved = wasSaved_;
    const auto previousMoves = pendingMoves_;
    stored_ = current_;
    pendingMoves_.clear();
    wasSaved_ = wasSaved_ || wroteRows || !previousMoves.empty();
    if (!renumbered_.empty()) {
        // Others added records meanwhile: read the table again, theirs and ours.
        std::vector<PackedRow> rows;
        if (store_.loadPacked(rows)) {
            stored_ = std::move(rows);
            current_ = stored_;
            rebuildIndex();
        }
    }
    mine.add([this, journal, previous, previousDropped, previouslySaved, previousMoves] {
        store_.undo(journal);
        stored_ = previous;
        dropped_ = previousDropped;
        wasSaved_ = previouslySaved;
        pendingMoves_ = previousMoves;
    });
    undo.add([steps = std::make_shared<UndoList>(std::move(mine))] { steps->runAll(); });
    lastError_.clear();
    return true;
}

}  // namespace vel
