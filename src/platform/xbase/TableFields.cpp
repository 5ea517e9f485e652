// The field side of Table: typed reads of the current record and writes into its buffer.
#include "platform/xbase/Table.h"

#include "platform/xbase/FieldValues.h"
#include "platform/xbase/XbaseError.h"

#include <array>
#include <cstring>

namespace vel::xbase {

const FieldDescriptor* Table::fieldAt(int field) const {
    if (field < 0 || field >= header_.fields.size() || record_.size() != header_.recordLength) {
        return nullptr;
    }
    return &header_.fields[field];
}

QString Table::text(int field) const {
    const FieldDescriptor* descriptor = fieldAt(field);
    return descriptor ? FieldValues::text(record_.constData(), *descriptor) : QString();
}

std::optional<double> Table::number(int field) const {
    const FieldDescriptor* descriptor = fieldAt(field);
    return descriptor ? FieldValues::number(record_.constData(), *descriptor) : std::nullopt;
}

QDate Table::date(int field) const {
    const FieldDescriptor* descriptor = fieldAt(field);
    return descriptor ? FieldValues::date(record_.constData(), *descriptor) : QDate();
}

std::optional<bool> Table::logical(int field) const {
    const FieldDescriptor* descriptor = fieldAt(field);
    return descriptor ? FieldValues::logical(record_.constData(), *descriptor) : std::nullopt;
}

QByteArray Table::rawField(int field) const {
    const FieldDescriptor* descriptor = fieldAt(field);
    return descriptor ? record_.mid(descriptor->offset, descriptor->length) : QByteArray();
}

// Writes one field of the buffer in place: every writer checks its value before it changes a
// byte, so a refused value leaves the buffer as it was.
template <typename Write>
Status Table::assign(int field, const Write& write) {
    return guarded([&] {
        requireWritable();
        const FieldDescriptor* descriptor = fieldAt(field);
        if (!descriptor) {
            file_.fail(ErrorCode::NoSuchField, QStringLiteral("no field number %1").arg(field));
        }
        char* bytes = record_.data();
        // Keep the field's old bytes to tell whether the write changed anything.
        std::array<char, 256> small;
        QByteArray large;
        char* before = small.data();
        if (descriptor->length > int(small.size())) {
            large.resize(descriptor->length);
            before = large.data();
        }
        std::memcpy(before, bytes + descriptor->offset, size_t(descriptor->length));
        try {
            write(bytes, *descriptor);
        } catch (const XbaseError& error) {
            file_.fail(error.code(), error.description());
        }
        if (std::memcmp(before, bytes + descriptor->offset, size_t(descriptor->length)) != 0) {
            changed_ = true;
        }
    });
}

Status Table::setRecordBytes(QByteArrayView bytes) {
    return guarded([&] {
        requireWritable();
        if (bytes.size() != record_.size()) {
            file_.fail(ErrorCode::BadArgument,
                       QStringLiteral("a record of %1 bytes given for records of %2")
                           .arg(bytes.size())
                           .arg(record_.size()));
        }
        if (std::memcmp(record_.constData(), bytes.data(), size_t(bytes.size())) != 0) {
            std::memcpy(record_.data(), bytes.data(), size_t(bytes.size()));
            changed_ = true;
        }
    });
}

Status Table::setText(int field, QStringView text) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignText(record, descriptor, text);
    });
}

Status Table::setBytes(int field, QByteArrayView windows1252) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignBytes(record, descriptor, windows1252);
    });
}

Status Table::setNumber(int field, double value) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignNumber(record, descriptor, value);
    });
}

Status Table::setDate(int field, const QDate& date) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignDate(record, descriptor, date);
    });
}

Status Table::setLogical(int field, std::optional<bool> value) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignLogical(record, descriptor, value);
    });
}

Status Table::setBlank(int field) {
    return assign(field, [&](char* record, const FieldDescriptor& descriptor) {
        FieldValues::assignBlank(record, descriptor);
    });
}

}  // namespace vel::xbase
