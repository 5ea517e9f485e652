#pragma once
// Reads a few fields of many records of an open table: straight from the packed bytes when the
// table offers them (PackedRecords), else from each record in turn. Each value is the one the
// record's member holds after record(), as the field type gives it (whole numbers as qlonglong,
// numbers as double); the caller narrows it as the member does.
//
//     RecordFieldReader<AllocationRecord> fields(table);
//     const int code = fields.field(QStringLiteral("Code"));
//     fields.select(number);
//     row.text(fields.text(code));
#include "data/PackedRecords.h"
#include "data/TableObject.h"
#include "services/RuntimeError.h"

#include <vector>

namespace vel {

template <class Record>
class RecordFieldReader {
  public:
    explicit RecordFieldReader(const Table<Record>& table)
        : table_(table), packed_(dynamic_cast<const PackedRecords*>(&table)) {}

    // The handle of a field of Record::fields() by name. An unknown name is a mistake in the
    // caller: it throws RuntimeError.
    int field(const QString& name) {
        const Fields<Record>& all = Record::fields();
        for (size_t index = 0; index < all.size(); ++index) {
            if (all[index].name == name) {
                Known known{index, packed_ ? packed_->packedField(name) : std::nullopt};
                if (packed_ && !known.packed) {
                    break;
                }
                known_.push_back(std::move(known));
                return int(known_.size()) - 1;
            }
        }
        throw RuntimeError::invalidCall(QStringLiteral("The ") + table_.name() +
                                        QStringLiteral(" table has no field ") + name);
    }

    // The record the next values come from.
    void select(int number) {
        bytes_ = packed_ ? packed_->packedRecord(number) : nullptr;
        if (bytes_ == nullptr) {
            record_ = table_.record(number);
        }
    }

    QString text(int field) const {
        return bytes_ ? packedValue::text(at(), layout(field)) : value(field).toString();
    }
    qlonglong whole(int field) const {
        return bytes_ ? packedValue::whole(at(), layout(field)) : value(field).toLongLong();
    }
    double number(int field) const {
        return bytes_ ? packedValue::number(at(), layout(field)) : value(field).toDouble();
    }
    bool flag(int field) const {
        return bytes_ ? packedValue::flag(at(), layout(field)) : value(field).toBool();
    }
    QDate date(int field) const {
        return bytes_ ? packedValue::date(at(), layout(field)) : value(field).toDate();
    }
    QTime time(int field) const {
        return bytes_ ? packedValue::time(at(), layout(field)) : value(field).toTime();
    }

  private:
    struct Known {
        size_t index;  // in Record::fields()
        std::optional<PackedRecords::PackedField> packed;
    };
    const char* at() const { return bytes_; }
    const xbase::FieldDescriptor& layout(int field) const {
        return known_[size_t(field)].packed->layout;
    }
    QVariant value(int field) const {
        return Record::fields()[known_[size_t(field)].index].read(record_);
    }

    const Table<Record>& table_;
    const PackedRecords* packed_;
    std::vector<Known> known_;
    const char* bytes_ = nullptr;
    Record record_;
};

}  // namespace vel
