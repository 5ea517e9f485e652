#pragma once
// One field of a table: name, type, width, decimals and its place in the record.
#include <QString>

namespace vel::xbase {

enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Date = 'D',
    Logical = 'L',
};

struct FieldDescriptor {
    QString name;  // upper-case ASCII, at most 10 characters
    FieldType type = FieldType::Character;
    int length = 1;    // bytes in the record
    int decimals = 0;  // numeric fields only
    int offset = 0;    // position in the record; the deleted flag is byte 0

    static FieldDescriptor character(const QString& name, int length) {
        return {name, FieldType::Character, length, 0, 0};
    }
    static FieldDescriptor numeric(const QString& name, int length, int decimals = 0) {
        return {name, FieldType::Numeric, length, decimals, 0};
    }
    static FieldDescriptor date(const QString& name) { return {name, FieldType::Date, 8, 0, 0}; }
    static FieldDescriptor logical(const QString& name) {
        return {name, FieldType::Logical, 1, 0, 0};
    }
};

}  // namespace vel::xbase
