#include "platform/transfer/SharedLibrary.h"

#include <dlfcn.h>

namespace vel {

SharedLibrary::SharedLibrary(const char* fileName, const QString& what) : what_(what) {
    // Kept loaded for the rest of the program, as a linked library would be.
    handle_ = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        problem_ = QStringLiteral("%1 %2 cannot be loaded: %3")
                       .arg(what, QLatin1String(fileName),
                            QString::fromLocal8Bit(reason ? reason : "unknown reason"));
    }
}

void* SharedLibrary::symbol(const char* name) {
    if (!handle_) {
        return nullptr;
    }
    void* found = dlsym(handle_, name);
    if (!found && problem_.isEmpty()) {
        problem_ = QStringLiteral("%1 has no %2").arg(what_, QLatin1String(name));
    }
    return found;
}

}  // namespace vel
