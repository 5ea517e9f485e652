#pragma once
// The failure thrown inside the xBase layer and turned into a Status at every public operation.
#include "platform/xbase/Status.h"
#include "services/RuntimeError.h"

#include <exception>
#include <utility>

namespace vel::xbase {

class XbaseError : public vel::RuntimeError {
  public:
    XbaseError(ErrorCode code, const QString& message)
        : vel::RuntimeError(static_cast<int>(code), message), code_(code) {}

    ErrorCode code() const { return code_; }
    Status status() const { return {code_, description()}; }

  private:
    ErrorCode code_;
};

// Runs work that may throw and returns its outcome as a Status.
template <typename Work>
Status guarded(Work&& work) {
    try {
        std::forward<Work>(work)();
        return Status::success();
    } catch (const XbaseError& error) {
        return error.status();
    } catch (const std::bad_alloc&) {
        return {ErrorCode::Internal, QStringLiteral("out of memory")};
    } catch (const std::exception& error) {
        return {ErrorCode::Internal, QString::fromLocal8Bit(error.what())};
    }
}

}  // namespace vel::xbase
