#pragma once
// The error report at every procedure boundary. A procedure that can fail keeps its result in a
// local, does its work inside try, and ends in one line:
//
//     bool result = false;
//     try {
//         ...
//         result = true;
//     } catch (...) {
//         reportError(" - CloneSystem");
//     }
//     return result;
//
// or, the same in one call: return guarded(" - CloneSystem", result, [&] { ...; result = true; });
//
// The report is the error's description with the caller's suffix appended exactly as given
// (" - CloneSystem", "-WeekEndProcess", " - frmActivity:VerifyFields"), handed with the error
// number to the installed ErrorReporter. A vel::RuntimeError keeps its own number; any other
// std::exception is GenericErrorNumber (440) with its what() text; std::bad_alloc is 7,
// "Out of memory"; anything else is 440, "Unknown error".
#include "data/ErrorReporter.h"

#include <QString>
#include <utility>

namespace vel {

constexpr int GenericErrorNumber = 440;
constexpr int OutOfMemoryErrorNumber = 7;

// The error being handled, as a number and a description.
struct CaughtError {
    int number = 0;
    QString description;
};

// Describes the exception being handled; call only inside a catch handler (outside one it
// answers GenericErrorNumber, "Unknown error").
CaughtError caughtError();

// Reports the exception being handled with the procedure suffix. Call only inside a catch
// handler. Never throws.
void reportError(const QString& procedureSuffix);

// Runs the body; an exception from it is reported with the suffix. Returns the held result as
// the body left it, so that a procedure returns what it holds at the point of failure.
template <class Result, class Body>
Result guarded(const QString& procedureSuffix, Result& held, Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        reportError(procedureSuffix);
    }
    return held;
}

// The same for a procedure without a result; true when the body completed.
template <class Body>
bool guarded(const QString& procedureSuffix, Body&& body) {
    bool completed = false;
    return guarded(procedureSuffix, completed, [&] {
        std::forward<Body>(body)();
        completed = true;
    });
}

// The reporter that takes the reports (not owned); nullptr writes them to the Qt warning log.
ErrorReporter* errorReporter();
void setErrorReporter(ErrorReporter* reporter);

// Installs a reporter for the life of the object and puts the previous one back afterwards.
class ScopedErrorReporter {
  public:
    explicit ScopedErrorReporter(ErrorReporter& reporter);
    ~ScopedErrorReporter();
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

  private:
    ErrorReporter* previous_;
};

// The folder of the trace file "debug.fil": when set, every report is also appended to it as
// one line "YYYY/MM/DD HH:MM:SS  number  text". Empty (the default) writes no trace.
QString errorTraceFolder();
void setErrorTraceFolder(const QString& folder);

}  // namespace vel
