#pragma once
// Writes the accountability report to a file through the export writer: table "Table1", one row
// per associate and activity, twenty fields (LENGTH .. TOTAL_PERF). Performances are percentages
// with two decimals (103.25), hours and units have two decimals, yes/no fields hold "Yes"/"No".
#include "platform/transfer/ExportStatus.h"
#include "reports/AccountabilityLines.h"

#include <QString>
#include <vector>

namespace vel {

struct AccountabilityExportField {
    const char* name;
    int typeCode;  // 7 number, 8 length/date, 9 text
    int width;
    int decimals;
};

// The twenty fields in their order.
const std::vector<AccountabilityExportField>& accountabilityExportFields();

// Writes the file; the status names the file and the problem when it failed. A failed export
// leaves an existing file of that name as it was.
ExportStatus exportAccountability(const AccountabilityReport& report, const QString& systemId,
                                  const QString& outputType, const QString& path);

}  // namespace vel
