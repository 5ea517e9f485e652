#pragma once
// Prints an editor's list through the printer object: the editor's print events make the
// listing (device set-up, options, header on every page, one record per line, totals) and the
// finished document goes to the output.
#include "platform/editshell/EditFormEvents.h"
#include "platform/print/PrintOutput.h"

#include <QString>
#include <vector>

namespace vel {

class TBPrint;

class ListingPrinter {
  public:
    enum class Result { Printed, Cancelled, Failed };

    ListingPrinter(EditFormEvents& events, TBPrint& printer) : events_(events), printer_(printer) {}

    // Prints the records in the order given; Failed leaves the reason in error().
    Result print(const std::vector<int>& recordNumbers, PrintOutput& output);
    const QString& error() const { return error_; }

  private:
    EditFormEvents& events_;
    TBPrint& printer_;
    QString error_;
};

}  // namespace vel
