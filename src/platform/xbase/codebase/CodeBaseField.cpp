// The field functions of the call layer (f4...), on the current record of the field's table.
#include "platform/xbase/codebase/CodeBaseHandles.h"

#include "platform/xbase/CodePage1252.h"

#include <cmath>

namespace vel::xbase {

using codebase::record;
using codebase::report;

namespace {

bool usableField(FIELD4* field, int16_t* result) {
    if (!field) {
        *result = e4parmNull;
        return false;
    }
    return codebase::usable(field->data, result);
}

const FieldDescriptor& descriptorOf(FIELD4* field) {
    return field->data->table->fields()[field->number];
}

}  // namespace

const char* f4str(FIELD4* field) {
    int16_t result;
    if (!usableField(field, &result)) {
        return "";
    }
    field->bytes = field->data->table->rawField(field->number).toStdString();
    return field->bytes.c_str();
}

const char* f4ptr(FIELD4* field) {
    int16_t result;
    if (!usableField(field, &result)) {
        return "";
    }
    return field->data->table->recordBytes().constData() + descriptorOf(field).offset;
}

QString f4text(FIELD4* field) {
    int16_t result;
    return usableField(field, &result) ? field->data->table->text(field->number) : QString();
}

int16_t f4assign(FIELD4* field, const char* value) {
    int16_t result;
    if (!usableField(field, &result)) {
        return result;
    }
    const QByteArrayView bytes(value ? value : "", value ? qstrlen(value) : 0);
    Table& table = *field->data->table;
    if (descriptorOf(field).type == FieldType::Character) {
        return report(field->data->code, table.setBytes(field->number, bytes));
    }
    return report(field->data->code,
                  table.setText(field->number, CodePage1252::decode(bytes.data(), bytes.size())));
}

int16_t f4assignText(FIELD4* field, const QString& value) {
    int16_t result;
    return usableField(field, &result)
               ? report(field->data->code, field->data->table->setText(field->number, value))
               : result;
}

int16_t f4assignDouble(FIELD4* field, double value) {
    int16_t result;
    if (!usableField(field, &result)) {
        return result;
    }
    Table& table = *field->data->table;
    const FieldDescriptor& descriptor = descriptorOf(field);
    if (descriptor.type == FieldType::Numeric) {
        return report(field->data->code, table.setNumber(field->number, value));
    }
    if (descriptor.type == FieldType::Character) {
        // A number in a character field: its shortest exact text, right-justified.
        const QString text = QString::number(value, 'g', 15);
        if (text.size() > descriptor.length) {
            return record(
                field->data->code, e4overflow,
                table.path() +
                    QStringLiteral(": field %1: %2 does not fit").arg(descriptor.name, text));
        }
        return report(
            field->data->code,
            table.setText(field->number, text.rightJustified(descriptor.length, QLatin1Char(' '))));
    }
    return record(field->data->code, e4fieldType,
                  table.path() + QStringLiteral(": field %1 takes no number").arg(descriptor.name));
}

int16_t f4assignLong(FIELD4* field, long value) {
    return f4assignDouble(field, double(value));
}

int16_t f4blank(FIELD4* field) {
    int16_t result;
    return usableField(field, &result)
               ? report(field->data->code, field->data->table->setBlank(field->number))
               : result;
}

double f4double(FIELD4* field) {
    int16_t result;
    if (!usableField(field, &result)) {
        return 0.0;
    }
    if (descriptorOf(field).type == FieldType::Numeric) {
        return field->data->table->number(field->number).value_or(0.0);
    }
    bool ok = false;
    const double value = field->data->table->text(field->number).trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

long f4long(FIELD4* field) {
    const double value = f4double(field);
    return std::isfinite(value) ? long(std::trunc(value)) : 0;
}

int16_t f4true(FIELD4* field) {
    int16_t result;
    if (!usableField(field, &result)) {
        return 0;
    }
    return field->data->table->logical(field->number).value_or(false) ? 1 : 0;
}

const char* f4name(FIELD4* field) {
    return field ? field->name.c_str() : "";
}

int16_t f4type(FIELD4* field) {
    int16_t result;
    return usableField(field, &result) ? int16_t(descriptorOf(field).type) : result;
}

int16_t f4len(FIELD4* field) {
    int16_t result;
    return usableField(field, &result) ? int16_t(descriptorOf(field).length) : result;
}

int16_t f4decimals(FIELD4* field) {
    int16_t result;
    return usableField(field, &result) ? int16_t(descriptorOf(field).decimals) : result;
}

}  // namespace vel::xbase
