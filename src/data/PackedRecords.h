#pragma once
// Read-only access to an open table's records as the bytes its file keeps them in, so that a
// writer taking a few fields of many records (the table exports) reads just those fields instead
// of decoding whole records. The host's tables offer it beside Table<Record>; RecordFieldReader
// reads typed values through it, or through record() from a table that does not offer it.
//
// The typed readers below give each field type the value a record's member gets on load: text
// without trailing blanks, whole numbers rounded, blank numbers 0, unreadable switches off, times
// stored as "HH:mm:ss".
#include "data/RecordFields.h"
#include "platform/xbase/FieldDescriptor.h"
#include "platform/xbase/FieldValues.h"

#include <QByteArray>
#include <QTime>
#include <cmath>
#include <optional>

namespace vel {

class PackedRecords {
  public:
    // A field of the record type: where the packed bytes hold it and how its value reads.
    struct PackedField {
        xbase::FieldDescriptor layout;
        FieldType type = FieldType::Text;
    };

    virtual ~PackedRecords() = default;
    // The record's bytes as the table holds them (unsaved edits included), valid until the table
    // changes; nullptr outside the table or for a record holding a value its field cannot store
    // (record() gives that one).
    virtual const char* packedRecord(int number) const = 0;
    // The field of that name in Record::fields(); nothing when the record type has none.
    virtual std::optional<PackedField> packedField(const QString& fieldName) const = 0;
};

namespace packedValue {

using xbase::FieldDescriptor;
using xbase::FieldValues;

inline QString text(const char* record, const FieldDescriptor& field) {
    return FieldValues::text(record, field);
}
inline qlonglong whole(const char* record, const FieldDescriptor& field) {
    return qlonglong(std::llround(FieldValues::number(record, field).value_or(0.0)));
}
inline double number(const char* record, const FieldDescriptor& field) {
    return FieldValues::number(record, field).value_or(0.0);
}
inline bool flag(const char* record, const FieldDescriptor& field) {
    return FieldValues::logical(record, field).value_or(false);
}
inline QDate date(const char* record, const FieldDescriptor& field) {
    return FieldValues::date(record, field);
}
inline QTime time(const char* record, const FieldDescriptor& field) {
    const QString stored = FieldValues::text(record, field).trimmed();
    return stored.isEmpty() ? QTime() : QTime::fromString(stored, QStringLiteral("HH:mm:ss"));
}

}  // namespace packedValue

}  // namespace vel
