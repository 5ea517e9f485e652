#include "editors/SettingsDataFields.h"

#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/TypeOfWorkRecord.h"

namespace vel {

namespace {

const QStringList& qualityModuleFields() {
    static const QStringList fields{
        QStringLiteral("Quality Auditable Units"), QStringLiteral("Quality Auditable Hours"),
        QStringLiteral("Quality Accuracy Base Units"), QStringLiteral("Quality Audited Units")};
    return fields;
}
const QString qualityCostField = QStringLiteral("Quality Failure Cost");
const QString qualityHoursField = QStringLiteral("Quality Failure Hours");
const QStringList policyFields{QStringLiteral("PPA Earned Hours"),
                               QStringLiteral("PPA Measured Hours")};

}  // namespace

// One table as it was before the plans: put back record by record when a later save fails.
class SettingsDataFields::Snapshot {
  public:
    virtual ~Snapshot() = default;
    virtual TableObject& table() = 0;
    virtual void restore() = 0;
    bool openedHere = false;
};

namespace {

template <class Record>
class TableSnapshot : public SettingsDataFields::Snapshot {
  public:
    explicit TableSnapshot(Table<Record>& table) : table_(table) {
        for (int number = 1; number <= table.recordCount(); ++number) {
            records_.push_back(table.record(number));
        }
    }
    TableObject& table() override { return table_; }
    void restore() override {
        table_.cancel();
        for (size_t index = 0; index < records_.size(); ++index) {
            if (!(table_.record(int(index) + 1) == records_[index])) {
                table_.setRecord(int(index) + 1, records_[index]);
            }
        }
        if (table_.hasEdits()) {
            table_.save();
        }
    }

  private:
    Table<Record>& table_;
    std::vector<Record> records_;
};

template <class Record>
std::unique_ptr<SettingsDataFields::Snapshot> snapshotOf(Table<Record>& table, QString* refusal) {
    const bool openedHere = !table.isOpen();
    if (openedHere && !table.open()) {
        *refusal = QStringLiteral("Error opening the ") + table.name() +
                   QStringLiteral(" Table.  ") + table.lastError();
        return nullptr;
    }
    auto snapshot = std::make_unique<TableSnapshot<Record>>(table);
    snapshot->openedHere = openedHere;
    return snapshot;
}

}  // namespace

SettingsDataFields::SettingsDataFields(VelmorSystem& system) : system_(system) {}

SettingsDataFields::~SettingsDataFields() {
    cancel();
}

bool SettingsDataFields::takeSnapshots(bool activities, bool typesOfWork, QString* refusal) {
    const auto take = [&](auto& table) {
        for (const auto& snapshot : snapshots_) {
            if (&snapshot->table() == &table) {
                return true;
            }
        }
        auto snapshot = snapshotOf(table, refusal);
        if (!snapshot) {
            return false;
        }
        snapshots_.push_back(std::move(snapshot));
        return true;
    };
    return (!activities || take(system_.activities())) &&
           (!typesOfWork || take(system_.typesOfWork())) && take(system_.dataFields());
}

bool SettingsDataFields::ensureFields(const QStringList& descriptions, int* missing) {
    auto& fields = system_.dataFields();
    QStringList absent = descriptions;
    for (int number = 1; number <= fields.recordCount(); ++number) {
        if (fields.isActive(number)) {
            absent.removeAll(fields.record(number).Desc.trimmed());
        }
    }
    *missing = int(absent.size());
    if (system_.freeDataFieldCount() < *missing) {
        return false;
    }
    for (const QString& description : absent) {
        system_.assignDataField(description);
    }
    return true;
}

bool SettingsDataFields::planTrackCost(bool on, QString* refusal) {
    if (!takeSnapshots(true, false, refusal)) {
        return false;
    }
    auto& activities = system_.activities();
    std::vector<int> changing;
    for (int number = 1; number <= activities.recordCount(); ++number) {
        const int field = activities.record(number).FldCostto;
        if (activities.isActive(number) && (on ? field == 0 : field > 0)) {
            changing.push_back(number);
        }
    }
    const int available = system_.freeDataFieldCount();
    if (on && available < int(changing.size())) {
        *refusal = QStringLiteral(
                       "There are not enough datafields available to track cost for "
                       "every Activity.  %1 are needed and %2 are available.")
                       .arg(int(changing.size()))
                       .arg(available);
        return false;
    }
    for (int number : changing) {
        ActivityRecord record = activities.record(number);
        if (on) {
            record.FldCostto =
                system_.assignDataField(record.Code.trimmed() + QStringLiteral(" Cost"));
        } else {
            system_.releaseDataField(record.FldCostto);
            record.FldCostto = 0;
        }
        activities.setRecord(number, record);
    }
    return true;
}

bool SettingsDataFields::planQuality(bool wasOn, bool on, bool cost, bool hours, QString* refusal) {
    if (!takeSnapshots(false, !on && wasOn, refusal)) {
        return false;
    }
    if (!on) {
        if (wasOn) {
            system_.convertDataFieldsToUserDefined(QStringLiteral("Quality "));
            auto& types = system_.typesOfWork();
            for (int number = 1; number <= types.recordCount(); ++number) {
                TypeOfWorkRecord record = types.record(number);
                if (types.isActive(number) && record.Mistake != decltype(record.Mistake){}) {
                    record.Mistake.fill(0);
                    types.setRecord(number, record);
                }
            }
        }
        return true;
    }
    if (!wasOn && system_.freeDataFieldCount() < int(qualityModuleFields().size())) {
        *refusal = QStringLiteral(
            "Error activating the Quality Module.  Check that there are at "
            "least 4 datafields available in the Associate Tallybook.");
        return false;
    }
    QStringList wanted = qualityModuleFields();
    if (cost) {
        wanted << qualityCostField;
    }
    if (hours) {
        wanted << qualityHoursField;
    }
    int missing = 0;
    if (!ensureFields(wanted, &missing)) {
        *refusal = QStringLiteral(
                       "There are not enough datafields available in the Associate "
                       "Tallybook for the Quality datafields.  %1 are needed.")
                       .arg(missing);
        return false;
    }
    if (!cost) {
        system_.convertDataFieldsToUserDefined(qualityCostField);
    }
    if (!hours) {
        system_.convertDataFieldsToUserDefined(qualityHoursField);
    }
    return true;
}

bool SettingsDataFields::planPerformancePolicy(bool on, QString* refusal) {
    if (!takeSnapshots(false, false, refusal)) {
        return false;
    }
    if (!on) {
        system_.convertDataFieldsToUserDefined(QStringLiteral("PPA "));
        return true;
    }
    int missing = 0;
    if (!ensureFields(policyFields, &missing)) {
        *refusal = QStringLiteral(
                       "There are not enough datafields available in the Associate "
                       "Tallybook to activate the Performance Policy Module.  %1 are "
                       "needed.")
                       .arg(missing);
        return false;
    }
    return true;
}

bool SettingsDataFields::save(QString* error) {
    for (const auto& snapshot : snapshots_) {
        TableObject& table = snapshot->table();
        if (!table.hasEdits()) {
            continue;
        }
        if (!table.save()) {
            *error = table.lastError();
            for (const auto& other : snapshots_) {
                other->restore();  // saved tables get their records back, the others their file
            }
            cancel();
            return false;
        }
    }
    for (const auto& snapshot : snapshots_) {
        if (snapshot->openedHere) {
            snapshot->table().close();
        }
    }
    snapshots_.clear();
    return true;
}

void SettingsDataFields::cancel() {
    for (const auto& snapshot : snapshots_) {
        snapshot->table().cancel();
        if (snapshot->openedHere) {
            snapshot->table().close();
        }
    }
    snapshots_.clear();
}

}  // namespace vel
