#pragma once
// Where a finished print job goes: a PDF file, a plain-text file, or (in the program) the
// preview window or a printer. The program installs its output once; tests install their own.
#include <QString>

namespace vel {

class PrintDocument;

// What a person asked for: to look at the print-out first, or to have it printed.
enum class PrintDestination { Preview, Printer };

class PrintOutput {
  public:
    virtual ~PrintOutput() = default;
    // Renders the document; false with a message naming the problem when it could not.
    virtual bool output(const PrintDocument& document, QString& error) = 0;
    // The same for an asked destination; outputs that have one way only (a PDF file, text)
    // take both the same way.
    virtual bool outputTo(const PrintDocument& document, PrintDestination /*destination*/,
                          QString& error) {
        return output(document, error);
    }
};

// The output that print actions use when they are given none; nullptr until one is installed.
PrintOutput* installedPrintOutput();
void installPrintOutput(PrintOutput* output);

// Installs an output for the life of the object and puts the previous one back afterwards.
class ScopedPrintOutput {
  public:
    explicit ScopedPrintOutput(PrintOutput& output);
    ~ScopedPrintOutput();
    ScopedPrintOutput(const ScopedPrintOutput&) = delete;
    ScopedPrintOutput& operator=(const ScopedPrintOutput&) = delete;

  private:
    PrintOutput* previous_;
};

}  // namespace vel
