#pragma once
// Writes a print document to a PDF file. The file is written beside its final name and put in
// place only when complete, so a failed job never leaves half a file.
#include "platform/print/PrintOutput.h"

namespace vel {

class PdfPrintOutput : public PrintOutput {
  public:
    explicit PdfPrintOutput(const QString& filePath, int resolution = 300)
        : filePath_(filePath), resolution_(resolution) {}

    const QString& filePath() const { return filePath_; }
    bool output(const PrintDocument& document, QString& error) override;

  private:
    QString filePath_;
    int resolution_;
};

}  // namespace vel
