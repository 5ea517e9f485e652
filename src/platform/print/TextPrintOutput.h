#pragma once
// The plain-text rendering of a print document (see PrintDocument::textLines): kept in memory
// for whoever asks, and written as UTF-8 to a file when a path is given.
#include "platform/print/PrintOutput.h"

#include <QStringList>

namespace vel {

class TextPrintOutput : public PrintOutput {
  public:
    TextPrintOutput() = default;
    explicit TextPrintOutput(const QString& filePath) : filePath_(filePath) {}

    bool output(const PrintDocument& document, QString& error) override;
    // The lines of the last document rendered.
    const QStringList& lines() const { return lines_; }

  private:
    QString filePath_;
    QStringList lines_;
};

}  // namespace vel
