#include "host/RowCodec.h"

#include "data/PackedRecords.h"
#include "platform/xbase/FieldValues.h"
#include "services/RuntimeError.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <cstring>

namespace vel {

namespace {

using xbase::FieldValues;

const QString timeFormat = QStringLiteral("HH:mm:ss");

QVariant readValue(const char* record, const xbase::FieldDescriptor& field, FieldType type) {
    switch (type) {
        case FieldType::Text:
            return packedValue::text(record, field);
        case FieldType::Integer:
            return packedValue::whole(record, field);
        case FieldType::Number:
            return packedValue::number(record, field);
        case FieldType::Boolean:
            return packedValue::flag(record, field);
        case FieldType::Date:
            return packedValue::date(record, field);
        case FieldType::Time:
            return packedValue::time(record, field);
    }
    return {};
}

// Throws the layer's error when the value cannot be stored in the field.
void writeValue(char* record, const xbase::FieldDescriptor& field, FieldType type,
                const QVariant& value) {
    switch (type) {
        case FieldType::Text:
            FieldValues::assignText(record, field, value.toString());
            return;
        case FieldType::Integer:
        case FieldType::Number:
            FieldValues::assignNumber(record, field, value.toDouble());
            return;
        case FieldType::Boolean:
            FieldValues::assignLogical(record, field, value.toBool());
            return;
        case FieldType::Date:
            FieldValues::assignDate(record, field, value.toDate());
            return;
        case FieldType::Time: {
            const QTime time = value.toTime();
            FieldValues::assignText(record, field,
                                    time.isValid() ? time.toString(timeFormat) : QString());
            return;
        }
    }
}

}  // namespace

RowCodec::RowCodec(std::vector<ColumnShape> shapes, const QList<xbase::FieldDescriptor>& columns)
    : shapes_(std::move(shapes)), layout_(columns) {
    for (xbase::FieldDescriptor& field : layout_) {
        field.offset = recordLength_;
        recordLength_ += field.length;
    }
    blankPacked_ = PackedRow(recordLength_, ' ');
    blankRow_.reserve(layout_.size());
    for (qsizetype column = 0; column < layout_.size(); ++column) {
        blankRow_.append(
            readValue(blankPacked_.constData(), layout_[column], shapes_[size_t(column)].type));
    }
}

PackedRow RowCodec::pack(const StoredRow& row, QString* unfit) const {
    PackedRow packed = blankPacked_;
    const qsizetype given = std::min(row.size(), layout_.size());
    for (qsizetype column = 0; column < given; ++column) {
        packValue(packed, int(column), row[column], unfit);
    }
    return packed;
}

void RowCodec::packValue(PackedRow& row, int column, const QVariant& value, QString* unfit) const {
    if (column < 0 || column >= layout_.size() || row.size() != recordLength_) {
        return;
    }
    char* record = row.data();
    try {
        writeValue(record, layout_[column], shapes_[size_t(column)].type, value);
    } catch (const RuntimeError& error) {
        FieldValues::assignBlank(record, layout_[column]);
        if (unfit != nullptr && unfit->isEmpty()) {
            *unfit = error.description();
        }
    }
}

StoredRow RowCodec::unpack(const PackedRow& row) const {
    if (row.size() != recordLength_) {
        return blankRow_;
    }
    StoredRow values;
    values.reserve(layout_.size());
    for (qsizetype column = 0; column < layout_.size(); ++column) {
        values.append(readValue(row.constData(), layout_[column], shapes_[size_t(column)].type));
    }
    return values;
}

QVariant RowCodec::value(const PackedRow& row, int column) const {
    if (column < 0 || column >= layout_.size() || row.size() != recordLength_) {
        return {};
    }
    return readValue(row.constData(), layout_[column], shapes_[size_t(column)].type);
}

bool RowCodec::sameValues(const PackedRow& first, const PackedRow& second) const {
    if (first == second) {
        return true;
    }
    if (first.size() != recordLength_ || second.size() != recordLength_) {
        return false;
    }
    for (qsizetype column = 0; column < layout_.size(); ++column) {
        const xbase::FieldDescriptor& field = layout_[column];
        if (std::memcmp(first.constData() + field.offset, second.constData() + field.offset,
                        size_t(field.length)) != 0 &&
            value(first, int(column)) != value(second, int(column))) {
            return false;
        }
    }
    return true;
}

}  // namespace vel
