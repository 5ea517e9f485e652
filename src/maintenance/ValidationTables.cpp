#include "maintenance/ValidationTables.h"

namespace vel {

const std::array<ValidationTableInfo, ValidationTableCount>& validationTables() {
    static const QString exportTable = QStringLiteral(" - ExportTable");
    static const std::array<ValidationTableInfo, ValidationTableCount> tables{{
        {ValidationTable::Activity, QStringLiteral("Activity"), QStringLiteral("ACTIVITY"), u'F',
         exportTable},
        {ValidationTable::WorkCenter, QStringLiteral("Work Center"), QStringLiteral("WORKCNTR"),
         u'W', exportTable},
        {ValidationTable::Associate, QStringLiteral("Associate"), QStringLiteral("ASSOCIAT"), u'E',
         exportTable},
        {ValidationTable::Allocation, QStringLiteral("Allocation"), QStringLiteral("ALLOCATN"),
         u'A', exportTable},
        {ValidationTable::Element, QStringLiteral("Element"), QStringLiteral("ELEMENT"), u'L',
         exportTable},
        {ValidationTable::DataFields, QStringLiteral("Data Fields"), QStringLiteral("FIELD"), u'D',
         exportTable},
        {ValidationTable::ElementsOnActivities, QStringLiteral("Elements on Activities"),
         QStringLiteral("ELEMENTS"), u'8', QStringLiteral(" - ExportElements")},
        {ValidationTable::StandardsByAllocation, QStringLiteral("Standards by Allocation"),
         QStringLiteral("STANDARDS"), u'S', QStringLiteral(" - ExportStandards")},
        {ValidationTable::TypeOfWork, QStringLiteral("Type of Work"), QStringLiteral("TYPEWORK"),
         u'T', exportTable},
        {ValidationTable::ValidTypesOfWork, QStringLiteral("Types of Work Valid by Work Center"),
         QStringLiteral("WCVALID"), QChar(), exportTable},
    }};
    return tables;
}

const ValidationTableInfo& validationTableInfo(ValidationTable table) {
    return validationTables()[size_t(table)];
}

std::optional<ValidationTable> validationTableForLetter(QChar letter) {
    const QChar upper = letter.toUpper();
    for (const ValidationTableInfo& info : validationTables()) {
        if (!info.letter.isNull() && info.letter == upper) {
            return info.table;
        }
    }
    return std::nullopt;
}

}  // namespace vel
