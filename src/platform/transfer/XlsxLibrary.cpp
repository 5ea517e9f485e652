#include "platform/transfer/XlsxLibrary.h"

namespace vel {

QString XlsxLibrary::resolve(SharedLibrary& library, XlsxLibrary& xlsx) {
    library.resolve("workbook_new_opt", xlsx.workbookNew);
    library.resolve("workbook_add_worksheet", xlsx.addWorksheet);
    library.resolve("workbook_add_format", xlsx.addFormat);
    library.resolve("workbook_close", xlsx.workbookClose);
    library.resolve("format_set_num_format", xlsx.setNumberFormat);
    library.resolve("format_set_bold", xlsx.setBold);
    library.resolve("worksheet_set_column", xlsx.setColumn);
    library.resolve("worksheet_write_string", xlsx.writeString);
    library.resolve("worksheet_write_number", xlsx.writeNumber);
    library.resolve("worksheet_write_datetime", xlsx.writeDatetime);
    library.resolve("worksheet_write_boolean", xlsx.writeBoolean);
    library.resolve("lxw_strerror", xlsx.strerror);
    return {};
}

}  // namespace vel
