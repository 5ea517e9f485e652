#include "host/ColumnLayout.h"

#include <QSet>

#include <algorithm>

namespace vel {

namespace {

constexpr int nameLength = 10;

xbase::FieldDescriptor descriptorFor(const ColumnShape& shape, const QString& name) {
    switch (shape.type) {
        case FieldType::Text:
            return xbase::FieldDescriptor::character(
                name, std::clamp(shape.size > 0 ? shape.size : 30, 1, 254));
        case FieldType::Integer:
            return xbase::FieldDescriptor::numeric(name, shape.size > 0 ? shape.size : 10);
        case FieldType::Number:
            return shape.size > 0
                       ? xbase::FieldDescriptor::numeric(name, shape.size, shape.decimals)
                       : xbase::FieldDescriptor::numeric(name, 15, 5);
        case FieldType::Boolean:
            return xbase::FieldDescriptor::logical(name);
        case FieldType::Date:
            return xbase::FieldDescriptor::date(name);
        case FieldType::Time:
            return xbase::FieldDescriptor::character(name, 8);
    }
    return xbase::FieldDescriptor::character(name, 30);
}

}  // namespace

QString ColumnLayout::columnName(const QString& fieldName) {
    // Every character but A-Z, 0-9 and "_" becomes "_" (a character beyond 16 bits one "_").
    const QString source = fieldName.toUpper();
    QString upper;
    upper.reserve(source.size());
    for (qsizetype index = 0; index < source.size(); ++index) {
        const char16_t character = source[index].unicode();
        const bool kept = (character >= u'A' && character <= u'Z') ||
                          (character >= u'0' && character <= u'9') || character == u'_';
        upper.append(kept ? QChar(character) : QChar(u'_'));
        if (QChar::isHighSurrogate(character) && index + 1 < source.size() &&
            source[index + 1].isLowSurrogate()) {
            ++index;
        }
    }
    qsizetype digits = 0;
    while (digits < upper.size() && upper[upper.size() - 1 - digits].isDigit()) {
        ++digits;
    }
    const QString number = upper.right(digits);
    return upper.left(upper.size() - digits).left(nameLength - number.size()) + number;
}

QList<xbase::FieldDescriptor> ColumnLayout::columnsFor(const std::vector<ColumnShape>& shapes,
                                                       const QHash<QString, QString>& names) {
    QList<xbase::FieldDescriptor> columns;
    QSet<QString> taken;
    for (const ColumnShape& shape : shapes) {
        QString name = names.value(shape.name, columnName(shape.name));
        for (int counter = 2; taken.contains(name); ++counter) {
            const QString suffix = QString::number(counter);
            name = name.left(nameLength - suffix.size()) + suffix;
        }
        taken.insert(name);
        columns.append(descriptorFor(shape, name));
    }
    return columns;
}

}  // namespace vel
