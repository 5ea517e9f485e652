#include "platform/transfer/CurlLibrary.h"

#include <dlfcn.h>

namespace vel {

namespace {

struct Loaded {
    CurlLibrary library;
    QString problem;
    bool ok = false;
};

template <class Function>
bool resolve(void* handle, const char* name, Function& function, QString& problem) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (!function && problem.isEmpty()) {
        problem = QStringLiteral("libcurl has no %1").arg(QLatin1String(name));
    }
    return function != nullptr;
}

Loaded load() {
    Loaded loaded;
    // Kept loaded for the rest of the program, as a linked library would be.
    void* handle = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        loaded.problem = QStringLiteral("the transfer library libcurl.so.4 cannot be loaded: ") +
                         QString::fromLocal8Bit(reason ? reason : "unknown reason");
        return loaded;
    }
    CurlLibrary& curl = loaded.library;
    QString& problem = loaded.problem;
    const bool all = resolve(handle, "curl_global_init", curl.globalInit, problem) &
                     resolve(handle, "curl_easy_init", curl.init, problem) &
                     resolve(handle, "curl_easy_setopt", curl.setopt, problem) &
                     resolve(handle, "curl_easy_perform", curl.perform, problem) &
                     resolve(handle, "curl_easy_getinfo", curl.getinfo, problem) &
                     resolve(handle, "curl_easy_strerror", curl.strerror, problem) &
                     resolve(handle, "curl_easy_cleanup", curl.cleanup, problem);
    if (!all) {
        return loaded;
    }
    const CURLcode setUp = curl.globalInit(CURL_GLOBAL_DEFAULT);
    if (setUp != CURLE_OK) {
        loaded.problem = QStringLiteral("the transfer library could not start: ") +
                         QString::fromUtf8(curl.strerror(setUp));
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

}  // namespace

const CurlLibrary* CurlLibrary::get(QString* problem) {
    static const Loaded loaded = load();  // once, also with transfers on several threads
    if (!loaded.ok && problem) {
        *problem = loaded.problem;
    }
    return loaded.ok ? &loaded.library : nullptr;
}

}  // namespace vel
