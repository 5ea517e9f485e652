#pragma once
// Comma-separated (CSV) and tab-delimited (TXT) output: UTF-8 (a byte-order mark only when
// asked), lines ending in CR LF, and the quoting of RFC 4180: a field that holds the separator,
// a double quote, a tab, a line break or a ";" (which the delimited reader takes for the start of a
// comment) is enclosed in double quotes, and quotes inside it are doubled. Text cells that a
// spreadsheet program would run as a formula get FormulaGuard's apostrophe.
//
// The file is written under a temporary name beside the target (TemporaryOutput) and renamed
// over it when complete.
#include "platform/transfer/ExportFormat.h"
#include "platform/transfer/TemporaryOutput.h"

#include <QByteArray>
#include <QFile>

#include <memory>
#include <string>

namespace vel {

class DelimitedTextFormat : public ExportFormat {
  public:
    explicit DelimitedTextFormat(char separator);

    void begin(const ExportTarget& target, const QList<ExportColumn>& columns) override;
    void writeRow(const QList<ExportCell>& cells) override;
    void finish() override;
    void discard() noexcept override;

    // One field as it appears in the file, quoted when needed.
    static QString quoteField(const QString& field, QChar separator);

  private:
    // Appends a text field, with the formula guard when asked, quoted when needed.
    void appendText(const QString& text, bool guard);
    void flushBuffer();

    char separator_;
    QString path_;
    TemporaryOutput output_;
    std::unique_ptr<QFile> file_;
    // The bytes not yet written; a std::string, whose appends of a character or a few bytes
    // stay inline.
    std::string buffer_;
};

}  // namespace vel
