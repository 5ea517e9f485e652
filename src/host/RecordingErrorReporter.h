#pragma once
// The reference host's error reporter: keeps every report for the program (and tests) to look at
// and writes it to the standard error stream.
#include "data/ErrorReporter.h"

#include <QList>

namespace vel {

struct ErrorReportEntry {
    QString text;
    int number = 0;
    bool fromComponent = false;
};

class RecordingErrorReporter : public ErrorReporter {
  public:
    void report(const QString& text, int number, bool fromComponent) override;

    const QList<ErrorReportEntry>& reports() const { return reports_; }
    // Whether any report so far contains the text.
    bool mentions(const QString& text) const;
    void clear() { reports_.clear(); }
    void setEchoToStandardError(bool echo) { echo_ = echo; }

  private:
    QList<ErrorReportEntry> reports_;
    bool echo_ = true;
};

}  // namespace vel
