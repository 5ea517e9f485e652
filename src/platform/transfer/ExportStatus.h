#pragma once
// The result of a public export-writer operation: success, or an error code with a message that
// names the file and the problem. ExportError carries the same inside the writer.
#include "services/RuntimeError.h"

#include <QString>

namespace vel {

enum class ExportErrorCode {
    None,
    UnknownOutputType,  // the type name matches no output type
    BadColumn,          // a column definition that cannot be used
    NotOpen,            // no output is being written
    CreateFailed,       // the output (or its temporary file) cannot be created
    WriteFailed,        // writing, finishing or renaming the output failed
    ValueRejected,      // a value that the output cannot hold (too large, not a number...)
    Internal,
};

class ExportStatus {
public:
    ExportStatus() = default;
    ExportStatus(ExportErrorCode code, QString message)
        : code_(code), message_(std::move(message)) {}

    bool ok() const { return code_ == ExportErrorCode::None; }
    ExportErrorCode code() const { return code_; }
    const QString& message() const { return message_; }

private:
    ExportErrorCode code_ = ExportErrorCode::None;
    QString message_;
};

class ExportError : public RuntimeError {
public:
    ExportError(ExportErrorCode code, const QString& message)
        : RuntimeError(static_cast<int>(code), message), code_(code) {}

    ExportErrorCode code() const { return code_; }
    ExportStatus status() const { return {code_, description()}; }

private:
    ExportErrorCode code_;
};

// "<path>: <problem>", the form of every export error message.
inline QString exportMessage(const QString& path, const QString& problem) {
    return path + QStringLiteral(": ") + problem;
}

}  // namespace vel
