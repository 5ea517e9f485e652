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

void assignTime(char* record, const xbase::FieldDescriptor& field, const QTime& time) {
    FieldValues::assignText(record, field, time.isValid() ? time.toString(timeFormat) : QString());
}

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
        case FieldType::Time:
            assignTime(record, field, value.toTime());
            return;
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
    Packer packer(*this, row, unfit);
    packer.setColumn(column);
    packer.store([&](char* record, const xbase::FieldDescriptor& field, FieldType type) {
        writeValue(record, field, type, value);
    });
}

RowCodec::Packer::Packer(const RowCodec& codec, PackedRow& row, QString* unfit)
    : codec_(codec), record_(row.size() == codec.recordLength_ ? row.data() : nullptr),
      unfit_(unfit) {}

// A value that cannot be stored leaves its column blank and is named in unfit.
template <class Assign>
void RowCodec::Packer::store(Assign assign) {
    if (record_ == nullptr || column_ < 0 || column_ >= codec_.layout_.size()) {
        return;
    }
    const xbase::FieldDescriptor& field = codec_.layout_[column_];
    try {
        assign(record_, field, codec_.shapes_[size_t(column_)].type);
    } catch (const RuntimeError& error) {
        FieldValues::assignBlank(record_, field);
        if (unfit_ != nullptr && unfit_->isEmpty()) {
            *unfit_ = error.description();
        }
    }
}

void RowCodec::Packer::text(const QString& value) {
    store([&](char* record, const xbase::FieldDescriptor& field, FieldType) {
        FieldValues::assignText(record, field, value);
    });
}
void RowCodec::Packer::number(double value) {
    store([&](char* record, const xbase::FieldDescriptor& field, FieldType) {
        FieldValues::assignNumber(record, field, value);
    });
}
void RowCodec::Packer::boolean(bool value) {
    store([&](char* record, const xbase::FieldDescriptor& field, FieldType) {
        FieldValues::assignLogical(record, field, value);
    });
}
void RowCodec::Packer::date(const QDate& value) {
    store([&](char* record, const xbase::FieldDescriptor& field, FieldType) {
        FieldValues::assignDate(record, field, value);
    });
}
void RowCodec::Packer::time(const QTime& value) {
    store([&](char* record, const xbase::FieldDescriptor& field, FieldType) {
        assignTime(record, field, value);
    });
}

QString RowCodec::Reader::text() const {
    return packedValue::text(record_, field());
}
double RowCodec::Reader::number() const {
    return packedValue::number(record_, field());
}
bool RowCodec::Reader::boolean() const {
    return packedValue::flag(record_, field());
}
QDate RowCodec::Reader::date() const {
    return packedValue::date(record_, field());
}
QTime RowCodec::Reader::time() const {
    return packedValue::time(record_, field());
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
