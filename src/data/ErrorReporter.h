#pragma once
// The host program's error reporter: it takes every error that a procedure of the component
// caught at its boundary. How it presents or records the report is the host's choice.
#include <QString>

namespace vel {

class ErrorReporter {
  public:
    virtual ~ErrorReporter() = default;

    // One error report: the error's text with the procedure suffix already appended
    // ("File not found - CloneSystem"), the run-time error number, and a flag that the
    // component always passes as true (the report comes from the component).
    virtual void report(const QString& text, int number, bool fromComponent) = 0;
};

}  // namespace vel
