#include "platform/transfer/CurlLibrary.h"

namespace vel {

QString CurlLibrary::resolve(SharedLibrary& library, CurlLibrary& curl) {
    library.resolve("curl_global_init", curl.globalInit);
    library.resolve("curl_easy_init", curl.init);
    library.resolve("curl_easy_setopt", curl.setopt);
    library.resolve("curl_easy_perform", curl.perform);
    library.resolve("curl_easy_getinfo", curl.getinfo);
    library.resolve("curl_easy_strerror", curl.strerror);
    library.resolve("curl_easy_cleanup", curl.cleanup);
    if (!library.problem().isEmpty()) {
        return {};
    }
    const CURLcode setUp = curl.globalInit(CURL_GLOBAL_DEFAULT);
    return setUp == CURLE_OK ? QString()
                             : QStringLiteral("the transfer library could not start: ") +
                                   QString::fromUtf8(curl.strerror(setUp));
}

}  // namespace vel
