#include "host/CorporateControlFile.h"

#include "data/TableCatalogue.h"
#include "host/ColumnLayout.h"
#include "host/ReferenceSystem.h"
#include "host/XbaseTable.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace vel {

namespace {

// The rows of one activity: a marker per valid allocation, then its elements' standards.
void addActivityRows(ReferenceSystem& system, const ActivityRecord& activity,
                     std::vector<StoredRow>& rows) {
    for (const auto& [allocation, values] : activity.AllocationStandards) {
        const QString allocationCode = system.allocations().code(allocation);
        rows.push_back(XbaseTable<CorporateControlRow>::toRow({activity.Code, allocationCode, {}}));
        for (size_t slot = 0; slot < values.size(); ++slot) {
            const int element = activity.Elements[slot].Element;
            if (element != 0) {
                rows.push_back(XbaseTable<CorporateControlRow>::toRow(
                    {activity.Code, allocationCode, system.elements().code(element), values[slot],
                     StandardRecord::minutesFor(values[slot])}));
            }
        }
    }
}

// Opens the tables that are not open yet, and closes those again when it goes.
class OpenWhileNeeded {
  public:
    OpenWhileNeeded(std::initializer_list<TableObject*> tables, QString* error) {
        for (TableObject* table : tables) {
            if (table->isOpen()) {
                continue;
            }
            if (!table->open()) {
                *error = table->lastError();
                open_ = false;
                return;
            }
            opened_.push_back(table);
        }
    }
    ~OpenWhileNeeded() {
        for (TableObject* table : opened_) {
            table->close();
        }
    }
    OpenWhileNeeded(const OpenWhileNeeded&) = delete;
    OpenWhileNeeded& operator=(const OpenWhileNeeded&) = delete;
    bool open() const { return open_; }

  private:
    std::vector<TableObject*> opened_;
    bool open_ = true;
};

// Collects the rows; the tables it had to open are closed again.
bool collectRows(ReferenceSystem& system, std::vector<StoredRow>& rows, QString* error) {
    auto& activities = system.activities();
    const OpenWhileNeeded tables({&activities, &system.allocations(), &system.elements()}, error);
    for (int number = 1; tables.open() && number <= activities.recordCount(); ++number) {
        if (activities.isActive(number)) {
            addActivityRows(system, activities.record(number), rows);
        }
    }
    return tables.open();
}

}  // namespace

bool writeCorporateControlFile(ReferenceSystem& system, QString* error) {
    std::vector<StoredRow> rows;
    if (!collectRows(system, rows, error)) {
        return false;
    }
    const QString path = system.filePath(QString(catalogue::corporateControlActivityFile));
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    XbaseStore store(temporary, shapesOf<CorporateControlRow>(), {}, StoreOptions{true});
    std::vector<StoredRow> none;
    StoreJournal journal;
    if (!store.load(none) || !store.append(rows, journal)) {
        *error = store.lastError();
        QFile::remove(temporary);
        return false;
    }
    if ((QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(temporary, path)) {
        *error = QStringLiteral("Cannot replace ") + path;
        QFile::remove(temporary);
        return false;
    }
    return true;
}

std::vector<CorporateControlRow> readCorporateControlFile(const QString& path, QString* error) {
    XbaseStore store(path, shapesOf<CorporateControlRow>(), {}, StoreOptions{});
    std::vector<StoredRow> rows;
    std::vector<CorporateControlRow> result;
    if (!store.load(rows)) {
        *error = store.lastError();
        return result;
    }
    for (const StoredRow& row : rows) {
        result.push_back(XbaseTable<CorporateControlRow>::toRecord(row));
    }
    return result;
}

std::vector<ActivityTable::Standards> corporateStandardsByCode(
    ReferenceSystem& system, const QString& folder, const std::vector<ActivityRecord>& activities) {
    std::vector<ActivityTable::Standards> standards(activities.size());
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QString(catalogue::corporateControlActivityFile) + u'*'}, QDir::Files, QDir::Time);
    QString error;
    const std::vector<CorporateControlRow> rows =
        files.isEmpty() ? std::vector<CorporateControlRow>{}
                        : readCorporateControlFile(files.first().filePath(), &error);
    if (!error.isEmpty()) {
        system.errors().report(error, 0, false);
    }
    if (rows.empty()) {
        return standards;
    }
    QHash<QString, size_t> activityIndex;
    for (size_t index = 0; index < activities.size(); ++index) {
        activityIndex.insert(activities[index].Code.trimmed().toUpper(), index);
    }
    auto& allocations = system.allocations();
    auto& elements = system.corporateElements();
    const OpenWhileNeeded tables({&allocations, &elements}, &error);
    if (!tables.open()) {
        system.errors().report(error, 0, false);
        return standards;
    }
    for (const CorporateControlRow& row : rows) {
        const auto found = activityIndex.constFind(row.Activity.trimmed().toUpper());
        const QString allocationCode = row.Allocation.trimmed();
        const int allocation = allocationCode.isEmpty() ? 0 : allocations.find(allocationCode);
        if (found == activityIndex.cend() || allocation == 0) {
            continue;
        }
        const ActivityRecord& activity = activities[*found];
        auto line = standards[*found].find(allocation);
        if (line == standards[*found].end()) {
            ActivityRecord::SlotStandards unset;
            unset.fill(-1.0F);
            line = standards[*found].emplace(allocation, unset).first;
        }
        const QString elementCode = row.Element.trimmed();
        const int element = elementCode.isEmpty() ? 0 : elements.find(elementCode);
        const int slot = element == 0 ? -1 : activity.slotOf(element);
        if (slot >= 0) {
            line->second[size_t(slot)] = float(row.UnitsHour);
        }
    }
    return standards;
}

}  // namespace vel
