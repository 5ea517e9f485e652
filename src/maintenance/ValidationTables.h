#pragma once
// The ten master-table exports (the validation tables), in the order of their selection bits:
// the caption of each check box, the file base name, the letter that the automatic export's
// "Tables" setting uses, and the procedure suffix of a failure report.
#include <QChar>
#include <QString>

#include <array>
#include <bitset>
#include <optional>

namespace vel {

enum class ValidationTable {
    Activity,
    WorkCenter,
    Associate,
    Allocation,
    Element,
    DataFields,
    ElementsOnActivities,
    StandardsByAllocation,
    TypeOfWork,
    ValidTypesOfWork,
};

constexpr int ValidationTableCount = 10;

// One bit per table, bit 0 being the activity table.
using ValidationTableSelection = std::bitset<ValidationTableCount>;

struct ValidationTableInfo {
    ValidationTable table;
    QString caption;        // the check box on the dialog's "Tables" page
    QString baseName;       // "ACTIVITY": the file is prefix + base name + "." + extension
    QChar letter;           // the automatic export's letter; a null character for none
    QString failureSuffix;  // " - ExportTable", " - ExportElements", " - ExportStandards"
};

// Every table, in selection order.
const std::array<ValidationTableInfo, ValidationTableCount>& validationTables();
const ValidationTableInfo& validationTableInfo(ValidationTable table);
// The table that a letter of the "Tables" setting stands for (any case); none for another one.
std::optional<ValidationTable> validationTableForLetter(QChar letter);

}  // namespace vel
