#include "platform/transfer/XbaseFormat.h"

#include "platform/transfer/ExportStatus.h"

#include <QSet>

namespace vel {

namespace {

constexpr int widestNumericField = 20;

QString fieldName(const QString& columnName) {
    QString name;
    for (const QChar character : columnName.trimmed().toUpper()) {
        const char16_t code = character.unicode();
        const bool allowed =
            (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == '_';
        name.append(allowed ? character : QLatin1Char('_'));
    }
    if (name.isEmpty() || !(name[0] >= u'A' && name[0] <= u'Z')) {
        name.prepend(QLatin1Char('F'));
    }
    return name.left(10);
}

QString uniqueName(const QString& name, const QSet<QString>& taken) {
    if (!taken.contains(name)) {
        return name;
    }
    for (int number = 2;; ++number) {
        const QString suffix = QString::number(number);
        const QString candidate = name.left(10 - suffix.size()) + suffix;
        if (!taken.contains(candidate)) {
            return candidate;
        }
    }
}

xbase::FieldDescriptor fieldFor(const ExportColumn& column, const QString& name) {
    switch (column.kind()) {
    case ExportColumnKind::Integer:
    case ExportColumnKind::Number:
        if (column.width <= widestNumericField) {
            const int decimals = column.shownDecimals();
            // Leave room for the point and a digit, as the N format needs.
            const int width = decimals > 0 ? qMax(column.width, decimals + 2) : column.width;
            return xbase::FieldDescriptor::numeric(name, qMin(width, widestNumericField),
                                                   qMin(decimals, widestNumericField - 2));
        }
        return xbase::FieldDescriptor::character(name, column.width);
    case ExportColumnKind::Date:
        return xbase::FieldDescriptor::date(name);
    case ExportColumnKind::Boolean:
        return xbase::FieldDescriptor::logical(name);
    case ExportColumnKind::Text:
    case ExportColumnKind::Time:
        break;
    }
    return xbase::FieldDescriptor::character(name, column.width);
}

}  // namespace

XbaseFormat::~XbaseFormat() {
    discard();
}

QList<xbase::FieldDescriptor> XbaseFormat::fieldsFor(const QList<ExportColumn>& columns) {
    QList<xbase::FieldDescriptor> fields;
    QSet<QString> taken;
    for (const ExportColumn& column : columns) {
        const QString name = uniqueName(fieldName(column.name), taken);
        taken.insert(name);
        fields.append(fieldFor(column, name));
    }
    return fields;
}

void XbaseFormat::check(const xbase::Status& status) {
    if (!status.ok()) {
        const ExportErrorCode code = status.code() == xbase::ErrorCode::FieldOverflow ||
                                             status.code() == xbase::ErrorCode::BadArgument
                                         ? ExportErrorCode::ValueRejected
                                         : ExportErrorCode::WriteFailed;
        // The xBase message names the temporary file; name the export's file instead.
        QString problem = status.message();
        problem.replace(output_.temporaryPath(), QStringLiteral("table"));
        throw ExportError(code, exportMessage(path_, problem));
    }
}

void XbaseFormat::begin(const ExportTarget& target, const QList<ExportColumn>& columns) {
    path_ = target.path;
    fields_ = fieldsFor(columns);
    output_.reserve(target.path, false);
    check(xbase::Table::create(output_.temporaryPath(), fields_));
    if (target.personal) {
        TemporaryOutput::withholdFromOthers(output_.temporaryPath());
    }
    table_ = std::make_unique<xbase::Table>();
    check(table_->open(output_.temporaryPath(), xbase::OpenOptions::exclusive()));
}

void XbaseFormat::assign(int field, const ExportCell& cell) {
    const xbase::FieldDescriptor& descriptor = fields_[field];
    switch (cell.kind) {
    case ExportCell::Kind::Empty:
        check(table_->setBlank(field));
        return;
    case ExportCell::Kind::Number:
        if (descriptor.type == xbase::FieldType::Numeric) {
            check(table_->setNumber(field, cell.number));
            return;
        }
        break;
    case ExportCell::Kind::Date:
        if (descriptor.type == xbase::FieldType::Date) {
            check(table_->setDate(field, cell.date));
            return;
        }
        break;
    case ExportCell::Kind::Boolean:
        if (descriptor.type == xbase::FieldType::Logical) {
            check(table_->setLogical(field, cell.boolean));
            return;
        }
        break;
    case ExportCell::Kind::Text:
    case ExportCell::Kind::Time:
        break;
    }
    if (descriptor.type != xbase::FieldType::Character && cell.kind == ExportCell::Kind::Text) {
        throw ExportError(ExportErrorCode::ValueRejected,
                          exportMessage(path_, QStringLiteral("field %1 cannot hold \"%2\"")
                                                   .arg(descriptor.name, cell.text)));
    }
    check(table_->setText(field, cell.toText()));
}

void XbaseFormat::writeRow(const QList<ExportCell>& cells) {
    check(table_->startAppend(true));
    for (int field = 0; field < cells.size(); ++field) {
        assign(field, cells[field]);
    }
    check(table_->appendCurrent());
}

void XbaseFormat::finish() {
    check(table_->close());
    table_.reset();
    output_.commit();
}

void XbaseFormat::discard() noexcept {
    if (table_) {
        table_->close();
        table_.reset();
    }
    output_.discard();
}

}  // namespace vel
