#include "platform/transfer/DelimitedTextFormat.h"

#include "platform/transfer/ExportStatus.h"
#include "platform/transfer/FormulaGuard.h"

namespace vel {

namespace {

constexpr qsizetype flushSize = 256 * 1024;

}  // namespace

DelimitedTextFormat::DelimitedTextFormat(char separator) : separator_(separator) {}

QString DelimitedTextFormat::quoteField(const QString& field, QChar separator) {
    bool needsQuotes = false;
    for (const QChar character : field) {
        if (character == separator || character == u'"' || character == u'\r' ||
            character == u'\t' || character == u'\n' || character == u';') {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes) {
        return field;
    }
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void DelimitedTextFormat::begin(const ExportTarget& target, const QList<ExportColumn>& columns) {
    path_ = target.path;
    output_.reserve(target.path, true, target.personal ? 0660 : 0666);
    file_ = std::make_unique<QFile>(output_.temporaryPath());
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString reason = file_->errorString();
        discard();
        throw ExportError(ExportErrorCode::CreateFailed,
                          exportMessage(path_, QStringLiteral("cannot create: ") + reason));
    }
    buffer_.clear();
    if (target.options.byteOrderMark) {
        buffer_.append("\xEF\xBB\xBF");
    }
    if (target.options.headerLine) {
        QStringList names;
        for (const ExportColumn& column : columns) {
            names.append(column.name);
        }
        appendLine(names);
    }
}

void DelimitedTextFormat::writeRow(const QList<ExportCell>& cells) {
    QStringList fields;
    fields.reserve(cells.size());
    for (const ExportCell& cell : cells) {
        const QString text = cell.toText();
        fields.append(cell.kind == ExportCell::Kind::Text ? FormulaGuard::protect(text) : text);
    }
    appendLine(fields);
    if (buffer_.size() >= flushSize) {
        flushBuffer();
    }
}

void DelimitedTextFormat::appendLine(const QStringList& fields) {
    const QChar separator = QLatin1Char(separator_);
    for (qsizetype index = 0; index < fields.size(); ++index) {
        if (index > 0) {
            buffer_.append(separator_);
        }
        buffer_.append(quoteField(fields[index], separator).toUtf8());
    }
    buffer_.append("\r\n");
}

void DelimitedTextFormat::flushBuffer() {
    if (!file_) {
        throw ExportError(ExportErrorCode::NotOpen,
                          exportMessage(path_, QStringLiteral("the output is not open")));
    }
    if (file_->write(buffer_) != buffer_.size()) {
        throw ExportError(
            ExportErrorCode::WriteFailed,
            exportMessage(path_, QStringLiteral("cannot write: ") + file_->errorString()));
    }
    buffer_.clear();
}

void DelimitedTextFormat::finish() {
    flushBuffer();
    if (!file_->flush()) {
        const QString reason = file_->errorString();
        discard();
        throw ExportError(ExportErrorCode::WriteFailed,
                          exportMessage(path_, QStringLiteral("cannot save: ") + reason));
    }
    file_.reset();
    output_.commit();  // syncs and renames; removes the temporary file when it cannot
}

void DelimitedTextFormat::discard() noexcept {
    file_.reset();
    output_.discard();
    buffer_.clear();
}

}  // namespace vel
