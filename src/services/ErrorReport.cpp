#include "services/ErrorReport.h"

#include "services/AddSlash.h"
#include "services/RuntimeError.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>
#include <exception>
#include <new>

namespace vel {

namespace {
ErrorReporter* installedReporter = nullptr;

QString& traceFolder() {
    static QString folder;
    return folder;
}

// Appends one line to "debug.fil"; a trace that cannot be written is dropped, as a trace must
// never turn one error into two.
void appendTrace(const QString& text, int number) {
    if (traceFolder().isEmpty()) {
        return;
    }
    QFile trace(AddSlash(traceFolder()) + QStringLiteral("debug.fil"));
    if (!trace.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        return;
    }
    const QString line =
        QStringLiteral("%1  %2  %3\n")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
            .arg(number)
            .arg(text);
    trace.write(line.toUtf8());
}
}  // namespace

CaughtError caughtError() {
    const std::exception_ptr current = std::current_exception();
    if (!current) {
        return {GenericErrorNumber, QStringLiteral("Unknown error")};
    }
    try {
        std::rethrow_exception(current);
    } catch (const RuntimeError& error) {
        return {error.number(), error.description()};
    } catch (const std::bad_alloc&) {
        return {OutOfMemoryErrorNumber, QStringLiteral("Out of memory")};
    } catch (const std::exception& error) {
        return {GenericErrorNumber, QString::fromUtf8(error.what())};
    } catch (...) {
        return {GenericErrorNumber, QStringLiteral("Unknown error")};
    }
}

void reportError(const QString& procedureSuffix) {
    try {
        const CaughtError error = caughtError();
        const QString text = error.description + procedureSuffix;
        appendTrace(text, error.number);
        if (installedReporter) {
            installedReporter->report(text, error.number, true);
        } else {
            qWarning().noquote() << QStringLiteral("Error %1: %2").arg(error.number).arg(text);
        }
    } catch (...) {
        // The report runs inside a handler: a failing reporter must not end the program.
    }
}

ErrorReporter* errorReporter() {
    return installedReporter;
}

void setErrorReporter(ErrorReporter* reporter) {
    installedReporter = reporter;
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter& reporter) : previous_(installedReporter) {
    installedReporter = &reporter;
}

ScopedErrorReporter::~ScopedErrorReporter() {
    installedReporter = previous_;
}

QString errorTraceFolder() {
    return traceFolder();
}

void setErrorTraceFolder(const QString& folder) {
    traceFolder() = folder;
}

}  // namespace vel
