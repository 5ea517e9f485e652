#pragma once
// A master table over one xBase file in the data folder: the record type's fields are its
// columns (see ColumnLayout), every record is loaded on open(), edits stay in memory until
// save() writes the changed records. The work is done by the record-type-free RecordTableCore;
// this template only turns records into rows and back. Exports read fields straight from the
// rows (PackedRecords).
#include "data/PackedRecords.h"
#include "data/TableObject.h"
#include "host/RecordTableCore.h"

namespace vel {

template <class Record>
class XbaseTable : public Table<Record>, public PackedRecords {
  public:
    XbaseTable(const QString& path, TableRules rules, StoreOptions options = {},
               const QHash<QString, QString>& columnNames = {})
        : core_(XbaseStore(path, shapesOf<Record>(), columnNames, std::move(options)),
                std::move(rules)) {}

    RecordTableCore& core() { return core_; }
    const RecordTableCore& core() const { return core_; }
    QString path() const { return core_.store().path(); }

    QString name() const override { return core_.rules().name; }
    bool open() override { return core_.open(); }
    void close() override { core_.close(); }
    bool isOpen() const override { return core_.isOpen(); }
    // The tables keep no index files: reindexing reads the file again, dropping unsaved edits.
    bool reindex() override { return core_.reload(); }
    int recordCount() const override { return core_.recordCount(); }
    int maximum() const override { return core_.maximum(); }
    bool isActive(int number) const override { return core_.isActive(number); }
    int freeRecord() const override { return core_.freeRecord(); }
    QString code(int number) const override { return core_.code(number); }
    int find(const QString& code) const override { return core_.find(code); }
    QString usedOn(int number) const override { return core_.usedOn(number); }
    bool remove(int number, int target) override { return core_.remove(number, target); }
    bool save() override { return core_.save(); }
    void cancel() override { core_.cancel(); }
    bool hasEdits() const override { return core_.hasEdits(); }
    bool wasSaved() const override { return core_.wasSaved(); }
    QString lastError() const override { return core_.lastError(); }

    // Records go to and from the packed rows field by field, in each field's own type.
    Record record(int number) const override {
        const char* packed = core_.packedRow(number);
        if (packed == nullptr) {
            return toRecord(core_.row(number));
        }
        Record record;
        RowCodec::Reader reader(core_.codec(),
                                PackedRow::fromRawData(packed, core_.codec().recordLength()));
        int column = 0;
        for (const Field<Record>& entry : Record::fields()) {
            reader.setColumn(column++);
            takeField(entry, record, reader);
        }
        return record;
    }
    void setRecord(int number, const Record& record) override {
        const RowCodec& codec = core_.codec();
        PackedRow packed = codec.blank();
        QString unfit;
        RowCodec::Packer packer(codec, packed, &unfit);
        int column = 0;
        for (const Field<Record>& entry : Record::fields()) {
            packer.setColumn(column++);
            putField(entry, record, packer);
        }
        core_.setPackedRow(number, std::move(packed), unfit,
                           unfit.isEmpty() ? StoredRow() : toRow(record));
    }

    const char* packedRecord(int number) const override { return core_.packedRow(number); }
    std::optional<PackedField> packedField(const QString& fieldName) const override {
        const int column = core_.column(fieldName);
        if (column < 0 || column >= core_.codec().layout().size()) {
            return std::nullopt;
        }
        return PackedField{core_.codec().layout()[column],
                           core_.codec().shapes()[size_t(column)].type};
    }

    static StoredRow toRow(const Record& record) {
        StoredRow row;
        row.reserve(qsizetype(Record::fields().size()));
        for (const Field<Record>& entry : Record::fields()) {
            row.append(entry.read(record));
        }
        return row;
    }
    static Record toRecord(const StoredRow& row) {
        Record record;
        qsizetype index = 0;
        for (const Field<Record>& entry : Record::fields()) {
            entry.write(record, row.value(index++));
        }
        return record;
    }

  private:
    RecordTableCore core_;
};

}  // namespace vel
