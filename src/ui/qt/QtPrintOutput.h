#pragma once
// The printer object's output in the program: the print preview window (from which a person
// may print) or the printer, chosen through the print dialog. Pages are painted by the same
// renderer as the PDF output.
#include "platform/print/PrintOutput.h"

class QWidget;

namespace vel {

class QtPrintOutput : public PrintOutput {
  public:
    enum class Mode { Preview, Printer };

    explicit QtPrintOutput(Mode mode = Mode::Preview, QWidget* parent = nullptr)
        : mode_(mode), parent_(parent) {}

    void setMode(Mode mode) { mode_ = mode; }
    Mode mode() const { return mode_; }
    // Shows the preview or sends the pages to the printer; a person cancelling is no error.
    bool output(const PrintDocument& document, QString& error) override;
    // The preview for PrintDestination::Preview, the print dialog for Printer, whatever the mode.
    bool outputTo(const PrintDocument& document, PrintDestination destination,
                  QString& error) override;

  private:
    Mode mode_;
    QWidget* parent_;
};

}  // namespace vel
