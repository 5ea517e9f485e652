#include "platform/transfer/ExportOutputType.h"

namespace vel {

const QList<ExportOutputType>& ExportOutputType::all() {
    static const QList<ExportOutputType> types = {
        {QStringLiteral("CSV"), TextClass, QStringLiteral("csv"),
         QStringLiteral("Comma Separated Values"), ExportFormatKind::CommaSeparated},
        {QStringLiteral("TXT"), TextClass, QStringLiteral("txt"),
         QStringLiteral("Tab Delimited Text"), ExportFormatKind::TabSeparated},
        {QStringLiteral("XLSX"), TableClass, QStringLiteral("xlsx"),
         QStringLiteral("Spreadsheet Workbook"), ExportFormatKind::Spreadsheet},
        {QStringLiteral("DBF"), TableClass, QStringLiteral("dbf"),
         QStringLiteral("xBase Table"), ExportFormatKind::XbaseTable},
    };
    return types;
}

std::optional<ExportOutputType> ExportOutputType::find(QStringView nameOrExtension) {
    QStringView wanted = nameOrExtension.trimmed();
    if (wanted.startsWith(u'.')) {
        wanted = wanted.mid(1);
    }
    for (const ExportOutputType& type : all()) {
        if (wanted.compare(type.name, Qt::CaseInsensitive) == 0 ||
            wanted.compare(type.extension, Qt::CaseInsensitive) == 0) {
            return type;
        }
    }
    return std::nullopt;
}

}  // namespace vel
