#pragma once
// libxlsxwriter, loaded when the first workbook is written instead of with the program (it
// brings the cryptography and minizip libraries with it). See SharedLibrary.h.
#include "platform/transfer/SharedLibrary.h"

#include <xlsxwriter.h>

namespace vel {

struct XlsxLibrary {
    decltype(&::workbook_new_opt) workbookNew = nullptr;
    decltype(&::workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&::workbook_add_format) addFormat = nullptr;
    decltype(&::workbook_close) workbookClose = nullptr;
    decltype(&::format_set_num_format) setNumberFormat = nullptr;
    decltype(&::format_set_bold) setBold = nullptr;
    decltype(&::worksheet_set_column) setColumn = nullptr;
    decltype(&::worksheet_write_string) writeString = nullptr;
    decltype(&::worksheet_write_number) writeNumber = nullptr;
    decltype(&::worksheet_write_datetime) writeDatetime = nullptr;
    decltype(&::worksheet_write_boolean) writeBoolean = nullptr;
    decltype(&::lxw_strerror) strerror = nullptr;

    // The library, loaded on the first call; null when it cannot be loaded, with the reason in
    // problem (when given).
    static const XlsxLibrary* get(QString* problem = nullptr) {
        return loadLibrary<XlsxLibrary>(problem);
    }

    static constexpr const char* fileName = "libxlsxwriter.so.4";
    static QString what() { return QStringLiteral("the spreadsheet library"); }
    static QString resolve(SharedLibrary& library, XlsxLibrary& xlsx);
};

}  // namespace vel
