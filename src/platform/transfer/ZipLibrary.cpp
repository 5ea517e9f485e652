#include "platform/transfer/ZipLibrary.h"

namespace vel {

QString ZipLibrary::resolve(SharedLibrary& library, ZipLibrary& zip) {
    library.resolve("zip_open", zip.open);
    library.resolve("zip_close", zip.close);
    library.resolve("zip_discard", zip.discard);
    library.resolve("zip_strerror", zip.strerror);
    library.resolve("zip_source_file", zip.sourceFile);
    library.resolve("zip_source_free", zip.sourceFree);
    library.resolve("zip_file_add", zip.fileAdd);
    library.resolve("zip_set_file_compression", zip.setFileCompression);
    library.resolve("zip_register_progress_callback_with_state", zip.registerProgress);
    library.resolve("zip_get_num_entries", zip.getNumEntries);
    library.resolve("zip_get_name", zip.getName);
    library.resolve("zip_file_get_external_attributes", zip.fileGetExternalAttributes);
    library.resolve("zip_stat_init", zip.statInit);
    library.resolve("zip_stat_index", zip.statIndex);
    library.resolve("zip_fopen_index", zip.fopenIndex);
    library.resolve("zip_fread", zip.fread);
    library.resolve("zip_fclose", zip.fclose);
    library.resolve("zip_file_strerror", zip.fileStrerror);
    library.resolve("zip_error_init_with_code", zip.errorInitWithCode);
    library.resolve("zip_error_strerror", zip.errorStrerror);
    library.resolve("zip_error_fini", zip.errorFini);
    return {};
}

}  // namespace vel
