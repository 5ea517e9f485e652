#pragma once
// libzip, loaded when the first archive is packed, listed or unpacked instead of with the
// program (it brings the cryptography and bzip2 libraries with it). See SharedLibrary.h.
#include "platform/transfer/SharedLibrary.h"

#include <zip.h>

namespace vel {

struct ZipLibrary {
    decltype(&::zip_open) open = nullptr;
    decltype(&::zip_close) close = nullptr;
    decltype(&::zip_discard) discard = nullptr;
    decltype(&::zip_strerror) strerror = nullptr;
    decltype(&::zip_source_file) sourceFile = nullptr;
    decltype(&::zip_source_free) sourceFree = nullptr;
    decltype(&::zip_file_add) fileAdd = nullptr;
    decltype(&::zip_set_file_compression) setFileCompression = nullptr;
    decltype(&::zip_register_progress_callback_with_state) registerProgress = nullptr;
    decltype(&::zip_get_num_entries) getNumEntries = nullptr;
    decltype(&::zip_get_name) getName = nullptr;
    decltype(&::zip_file_get_external_attributes) fileGetExternalAttributes = nullptr;
    decltype(&::zip_stat_init) statInit = nullptr;
    decltype(&::zip_stat_index) statIndex = nullptr;
    decltype(&::zip_fopen_index) fopenIndex = nullptr;
    decltype(&::zip_fread) fread = nullptr;
    decltype(&::zip_fclose) fclose = nullptr;
    decltype(&::zip_file_strerror) fileStrerror = nullptr;
    decltype(&::zip_error_init_with_code) errorInitWithCode = nullptr;
    decltype(&::zip_error_strerror) errorStrerror = nullptr;
    decltype(&::zip_error_fini) errorFini = nullptr;

    // The library, loaded on the first call; null when it cannot be loaded, with the reason in
    // problem (when given).
    static const ZipLibrary* get(QString* problem = nullptr) {
        return loadLibrary<ZipLibrary>(problem);
    }
    // The library once get() has answered it: for the steps after an archive was opened.
    static const ZipLibrary& loaded() { return *get(); }

    static constexpr const char* fileName = "libzip.so.4";
    static QString what() { return QStringLiteral("the zip library"); }
    static QString resolve(SharedLibrary& library, ZipLibrary& zip);
};

}  // namespace vel
