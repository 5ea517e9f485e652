#include "reports/AccountabilityExport.h"

#include "platform/transfer/ExportWriter.h"

#include <cmath>

namespace vel {

namespace {

constexpr int numberCode = 7;
constexpr int lengthOrDateCode = 8;
constexpr int textCode = 9;

double percent(double ratio) {
    return std::round(ratio * 10000.0) / 100.0;
}

}  // namespace

const std::vector<AccountabilityExportField>& accountabilityExportFields() {
    static const std::vector<AccountabilityExportField> fields{
        {"LENGTH", lengthOrDateCode, 8, 0}, {"DATE", lengthOrDateCode, 8, 0},
        {"SYSTEM_ID", textCode, 10, 0},     {"HOME_WC", textCode, 30, 0},
        {"GROUPING", textCode, 30, 0},      {"ASSOC_CODE", textCode, 10, 0},
        {"ASSOC_NAME", textCode, 30, 0},    {"ACTVT_DESC", textCode, 30, 0},
        {"ACTVT_CODE", textCode, 10, 0},    {"ACTVT_PPA", textCode, 10, 0},
        {"ACTVT_QUAL", textCode, 10, 0},    {"TOW_QUAL", numberCode, 10, 2},
        {"ACTVT_RAMP", textCode, 10, 0},    {"UNITS", numberCode, 10, 2},
        {"ACCT_EARNED", numberCode, 8, 2},  {"ACCT_MEASRD", numberCode, 8, 2},
        {"EARNED_HRS", numberCode, 8, 2},   {"MEASRD_HRS", numberCode, 8, 2},
        {"ACCT_PERF", numberCode, 8, 2},    {"TOTAL_PERF", numberCode, 8, 2},
    };
    return fields;
}

ExportStatus exportAccountability(const AccountabilityReport& report, const QString& systemId,
                                  const QString& outputType, const QString& path) {
    ExportWriter writer;
    ExportStatus status =
        writer.create(outputType, path, QStringLiteral("Table1"), {.headerLine = true});
    int position = 0;
    for (const AccountabilityExportField& field : accountabilityExportFields()) {
        if (!status.ok()) {
            return status;
        }
        ++position;
        ExportColumn column{position, QString::fromLatin1(field.name), field.typeCode, field.width,
                            field.decimals};
        // The length code is a whole number in the length/date field.
        if (position == 1) {
            column.valueKind = ExportColumnKind::Integer;
        }
        status = writer.addColumn(column);
    }
    const QString systemText = systemId.trimmed();
    for (const AccountabilityGroup& group : report.groups) {
        for (const AccountabilityAssociate& associate : group.associates) {
            for (const AccountabilityLine& line : associate.lines) {
                if (!status.ok()) {
                    return status;
                }
                const AccountabilitySums& sums = line.sums;
                const bool audited = sums.period.auditedUnits > 0;
                status = writer.addRow(QVariantList{report.period.length,
                                                    report.period.last,
                                                    systemText,
                                                    associate.homeWorkCenter,
                                                    associate.grouping,
                                                    associate.code,
                                                    associate.name,
                                                    line.activityName,
                                                    line.activityCode,
                                                    yesNo(line.inPPA),
                                                    yesNo(audited),
                                                    percent(sums.quality()),
                                                    yesNo(line.rampedUp),
                                                    sums.period.units,
                                                    sums.accountableEarned,
                                                    sums.accountableMeasured,
                                                    sums.period.earnedHours,
                                                    sums.period.measuredHours,
                                                    percent(sums.accountablePerformance()),
                                                    percent(sums.totalPerformance())});
            }
        }
    }
    return status.ok() ? writer.close() : status;
}

}  // namespace vel
