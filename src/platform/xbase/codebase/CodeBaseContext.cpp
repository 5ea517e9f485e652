// The context functions of the call layer (code4..., error4...) and the helpers shared by the
// other parts.
#include "platform/xbase/codebase/CodeBaseHandles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <thread>

namespace vel::xbase {
namespace codebase {

int16_t record(CODE4* code, int16_t result, const QString& message) {
    if (result != r4success && code) {
        code->errorText = message.toStdString();
        if (result < 0) {
            code->errorCode = result;
        }
    }
    return result;
}

int16_t resultFor(const Status& status) {
    switch (status.code()) {
        case ErrorCode::None:
            return r4success;
        case ErrorCode::NotFound:
        case ErrorCode::OpenFailed:
            return e4open;
        case ErrorCode::AlreadyExists:
            return e4create;
        case ErrorCode::Locked:
        case ErrorCode::NeedsExclusive:
            return r4locked;
        case ErrorCode::ReadFailed:
            return e4read;
        case ErrorCode::WriteFailed:
            return e4write;
        case ErrorCode::CorruptHeader:
        case ErrorCode::CountMismatch:
        case ErrorCode::UnknownFieldType:
            return e4data;
        case ErrorCode::CorruptIndex:
        case ErrorCode::ExpressionMismatch:
            return e4index;
        case ErrorCode::BadExpression:
            return e4tagExpr;
        case ErrorCode::FieldOverflow:
            return e4overflow;
        case ErrorCode::NoSuchField:
            return e4fieldName;
        case ErrorCode::WrongFieldType:
            return e4fieldType;
        case ErrorCode::BadRecordNumber:
            return r4entry;
        case ErrorCode::NotOpen:
        case ErrorCode::BadArgument:
            return e4parm;
        case ErrorCode::Internal:
            return e4info;
    }
    return e4info;
}

int16_t report(CODE4* code, const Status& status) {
    return record(code, resultFor(status), status.message());
}

LockPolicy lockPolicy(const CODE4* code) {
    if (code->lockAttempts == WAIT4EVER) {
        return LockPolicy::block();
    }
    if (code->lockAttempts <= 1) {
        return LockPolicy::failAtOnce();
    }
    std::function<void(int)> pause = code->lockPause;
    if (!pause) {
        const int hundredths = std::max<int>(0, code->lockDelay);
        pause = [hundredths](int) {
            std::this_thread::sleep_for(std::chrono::milliseconds(hundredths * 10));
        };
    }
    return LockPolicy::retry(code->lockAttempts, pause);
}

bool usable(DATA4* data, int16_t* result) {
    if (!data) {
        *result = e4parmNull;
        return false;
    }
    if (data->code->errorCode < 0) {
        *result = data->code->errorCode;
        return false;
    }
    if (!data->open) {
        *result = record(data->code, e4parm, QStringLiteral("the data file is closed"));
        return false;
    }
    data->table->setLockPolicy(lockPolicy(data->code));  // the context's settings of the moment
    return true;
}

QString fileName(const char* name, const char* extension, const QString& folder) {
    QString path = QFile::decodeName(name);
    if (QFileInfo(path).suffix().isEmpty() && !path.endsWith(QLatin1Char('.'))) {
        path += QLatin1Char('.') + QLatin1String(extension);
    }
    if (!folder.isEmpty() && QFileInfo(path).isRelative()) {
        path = QDir(folder).filePath(path);
    }
    return path;
}

}  // namespace codebase

CODE4* code4initVB() {
    return new CODE4;
}

int16_t code4close(CODE4* code) {
    if (!code) {
        return e4parmNull;
    }
    int16_t result = r4success;
    for (const auto& data : code->data) {
        if (data->open) {
            const int16_t closed = d4close(data.get());
            result = result == r4success ? closed : result;
        }
    }
    return result;
}

int16_t code4initUndo(CODE4* code) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t result = code4close(code);
    delete code;
    return result;
}

int16_t code4errOff(CODE4* code, int16_t off) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->errorsOff ? 1 : 0;
    code->errorsOff = off != 0;
    return previous;
}

int16_t code4largeOn(CODE4* code) {
    if (!code) {
        return e4parmNull;
    }
    code->largeFiles = true;  // offsets are 64-bit throughout; kept for the classic call order
    return r4success;
}

int16_t code4autoOpen(CODE4* code, int16_t on) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->autoOpen ? 1 : 0;
    code->autoOpen = on != 0;  // NDX tables have no production index to open
    return previous;
}

int16_t code4accessMode(CODE4* code, int16_t mode) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->accessMode;
    code->accessMode = mode;
    return previous;
}

int16_t code4errOpen(CODE4* code, int16_t on) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->errorOnMissingFile ? 1 : 0;
    code->errorOnMissingFile = on != 0;
    return previous;
}

int16_t code4lockAttempts(CODE4* code, int16_t attempts) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->lockAttempts;
    code->lockAttempts = attempts;
    return previous;
}

int16_t code4lockDelay(CODE4* code, int16_t hundredths) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->lockDelay;
    code->lockDelay = hundredths;
    return previous;
}

void code4lockPause(CODE4* code, std::function<void(int)> pause) {
    if (code) {
        code->lockPause = std::move(pause);
    }
}

int16_t error4set(CODE4* code, int16_t error) {
    if (!code) {
        return e4parmNull;
    }
    const int16_t previous = code->errorCode;
    code->errorCode = error;
    if (error == 0) {
        code->errorText.clear();
    }
    return previous;
}

int16_t error4code(CODE4* code) {
    return code ? code->errorCode : e4parmNull;
}

const char* error4text(CODE4* code, long error) {
    if (code && error != 0 && error == code->errorCode && !code->errorText.empty()) {
        return code->errorText.c_str();
    }
    switch (error) {
        case r4success:
            return "no error";
        case e4close:
            return "closing a file failed";
        case e4create:
            return "creating a file failed";
        case e4lock:
            return "locking failed";
        case e4open:
            return "opening a file failed";
        case e4read:
            return "reading a file failed";
        case e4write:
            return "writing a file failed";
        case e4data:
            return "the data file is damaged";
        case e4fieldName:
            return "unknown field name";
        case e4fieldType:
            return "wrong field type";
        case e4index:
            return "the index file is damaged";
        case e4tagName:
            return "unknown tag name";
        case e4overflow:
            return "the value does not fit the field";
        case e4tagExpr:
            return "unusable key expression";
        case e4parm:
            return "unusable parameter";
        case e4parmNull:
            return "missing parameter";
        default:
            return "unknown error";
    }
}

QString error4message(CODE4* code) {
    return code ? QString::fromStdString(code->errorText) : QString();
}

}  // namespace vel::xbase
