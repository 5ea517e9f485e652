#pragma once
// The result of a public xBase operation: success, or an error code with a message that names
// the file and the problem.
#include <QString>

namespace vel::xbase {

enum class ErrorCode {
    None,
    NotFound,       // the file does not exist
    OpenFailed,     // the file exists but cannot be opened (permissions, not a file...)
    AlreadyExists,  // create refused: the file is there already
    Locked,         // another user holds a conflicting lock
    ReadFailed,
    WriteFailed,
    CorruptHeader,  // truncated or inconsistent table header
    CountMismatch,  // the header's record count disagrees with the file size
    UnknownFieldType,
    CorruptIndex,
    ExpressionMismatch,  // an index holds another key expression than the one expected
    BadExpression,       // a key expression that cannot be used with the table
    FieldOverflow,       // a number that does not fit its field
    NoSuchField,
    WrongFieldType,
    BadRecordNumber,
    NotOpen,
    NeedsExclusive,  // pack, zap and reindex need the table alone
    BadArgument,
    Internal,
};

class Status {
  public:
    Status() = default;
    Status(ErrorCode code, QString message) : code_(code), message_(std::move(message)) {}

    static Status success() { return {}; }

    bool ok() const { return code_ == ErrorCode::None; }
    ErrorCode code() const { return code_; }
    const QString& message() const { return message_; }

  private:
    ErrorCode code_ = ErrorCode::None;
    QString message_;
};

}  // namespace vel::xbase
