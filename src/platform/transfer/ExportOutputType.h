#pragma once
// The output types of the export writer. Class 1 are delimited text files (where a header line
// of column names is optional), class 2 are files that carry their own column structure
// (spreadsheet, xBase table); choosers list the types of both classes.
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace vel {

enum class ExportFormatKind { CommaSeparated, TabSeparated, Spreadsheet, XbaseTable };

struct ExportOutputType {
    static constexpr int TextClass = 1;
    static constexpr int TableClass = 2;

    QString name;         // "CSV", "TXT", "XLSX", "DBF"
    int typeClass = TextClass;
    QString extension;    // without the dot
    QString description;  // for choosers and file-dialog filters
    ExportFormatKind kind = ExportFormatKind::CommaSeparated;

    // Every output type, in the order choosers list them.
    static const QList<ExportOutputType>& all();
    // The type whose name or extension matches, ignoring case and surrounding blanks.
    static std::optional<ExportOutputType> find(QStringView nameOrExtension);
};

}  // namespace vel
