#include "platform/transfer/DelimitedTextFormat.h"

#include "platform/transfer/ExportStatus.h"
#include "platform/transfer/FormulaGuard.h"

#include <algorithm>

namespace vel {

namespace {

constexpr size_t flushSize = 256 * 1024;

bool needsQuotes(QChar character, QChar separator) {
    return character == separator || character == u'"' || character == u'\r' ||
           character == u'\t' || character == u'\n' || character == u';';
}

}  // namespace

DelimitedTextFormat::DelimitedTextFormat(char separator) : separator_(separator) {}

QString DelimitedTextFormat::quoteField(const QString& field, QChar separator) {
    if (std::none_of(field.begin(), field.end(),
                     [&](QChar character) { return needsQuotes(character, separator); })) {
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
    buffer_.reserve(2 * flushSize);
    if (target.options.byteOrderMark) {
        buffer_.append("\xEF\xBB\xBF");
    }
    if (target.options.headerLine) {
        for (qsizetype index = 0; index < columns.size(); ++index) {
            if (index > 0) {
                buffer_.push_back(separator_);
            }
            appendText(columns[index].name, false);
        }
        buffer_.append("\r\n");
    }
}

void DelimitedTextFormat::writeRow(const QList<ExportCell>& cells) {
    for (qsizetype index = 0; index < cells.size(); ++index) {
        if (index > 0) {
            buffer_.push_back(separator_);
        }
        // Only text can hold a character that needs quotes or a formula's first character.
        const ExportCell& cell = cells[index];
        if (cell.kind == ExportCell::Kind::Text) {
            appendText(cell.text, true);
        } else {
            cell.appendUtf8(buffer_);
        }
    }
    buffer_.push_back('\r');
    buffer_.push_back('\n');
    if (buffer_.size() >= flushSize) {
        flushBuffer();
    }
}

void DelimitedTextFormat::appendText(const QString& text, bool guard) {
    const QChar separator = QLatin1Char(separator_);
    const bool guarded = guard && FormulaGuard::needsGuard(text);
    // The usual text, ASCII without a character that needs quotes, is copied in one pass; any
    // other text is cut off again and written the long way below.
    const size_t start = buffer_.size();
    buffer_.resize(start + size_t(text.size()) + 1);
    char* out = buffer_.data() + start;
    if (guarded) {
        *out++ = '\'';
    }
    bool plain = true;
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code >= 0x80 || needsQuotes(character, separator)) {
            plain = false;
            break;
        }
        *out++ = char(code);
    }
    if (plain) {
        buffer_.resize(size_t(out - buffer_.data()));
        return;
    }
    buffer_.resize(start);
    const bool quoted =
        std::any_of(text.begin(), text.end(), [&](QChar c) { return needsQuotes(c, separator); });
    QByteArray utf8 = text.toUtf8();
    if (quoted) {
        utf8.replace("\"", "\"\"");
        buffer_.push_back('"');
    }
    if (guarded) {
        buffer_.push_back('\'');
    }
    buffer_.append(utf8.constData(), size_t(utf8.size()));
    if (quoted) {
        buffer_.push_back('"');
    }
}

void DelimitedTextFormat::flushBuffer() {
    if (!file_) {
        throw ExportError(ExportErrorCode::NotOpen,
                          exportMessage(path_, QStringLiteral("the output is not open")));
    }
    if (file_->write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size())) {
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
