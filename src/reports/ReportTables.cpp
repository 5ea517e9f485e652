#include "reports/ReportTables.h"

#include "data/TableObject.h"
#include "data/records/AssociateRecord.h"

namespace vel {

ReportTables::~ReportTables() {
    for (auto table = opened_.rbegin(); table != opened_.rend(); ++table) {
        (*table)->close();
    }
}

void ReportTables::use(TableObject& table) {
    if (table.isOpen()) {
        return;
    }
    if (!table.open()) {
        throw ReportTableError(QStringLiteral("Cannot open the ") + table.name() +
                               QStringLiteral(" table."));
    }
    opened_.push_back(&table);
}

QString associateName(const AssociateRecord& associate) {
    const QString last = associate.LastName.trimmed();
    const QString first = associate.FirstName.trimmed();
    return first.isEmpty() ? last : last + QStringLiteral(", ") + first;
}

}  // namespace vel
