#include "reports/ReportItemLists.h"

#include "data/TableObject.h"
#include "data/records/ActivityRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "ui/ComboBox.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vel {

template <class Record>
void fillByName(ComboBox& combo, Table<Record>& table) {
    std::vector<std::pair<QString, int>> items;
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            const Record record = table.record(number);
            const QString name = record.Desc.trimmed();
            items.emplace_back(name.isEmpty() ? record.Code.trimmed() : name, number);
        }
    }
    std::ranges::stable_sort(items, [](const auto& one, const auto& other) {
        return QString::compare(one.first, other.first, Qt::CaseInsensitive) < 0;
    });
    combo.clear();
    for (const auto& [name, number] : items) {
        combo.addItem(name, number);
    }
}

template void fillByName(ComboBox&, Table<ActivityRecord>&);
template void fillByName(ComboBox&, Table<TypeOfWorkRecord>&);

}  // namespace vel
