#pragma once
// The allocation import: one allocation per line (code, description, system identifier),
// matched by code, added when new (with its account in the master file), optionally deleting
// the allocations the file no longer holds and adding the new ones to every activity that uses
// allocations. A line whose system identifier is given and differs from the system's own
// ("ExportDay"/"SystemID") belongs to another system and is skipped.
#include "data/VelmorSystem.h"
#include "data/records/AllocationRecord.h"
#include "maintenance/ImportCounts.h"
#include "maintenance/RecordChanges.h"

#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

namespace vel {

struct AllocationImportRequest {
    QString fileName;
    int rowsToSkip = 0;
    int fieldsToSkip = 0;
    std::optional<bool> deleteNonImported;  // none: the AllocDeleteNonImported setting
    std::optional<bool> addToActivities;    // none: the person is asked when any was added
    QString systemId;                       // empty: the "ExportDay"/"SystemID" setting
    std::function<bool(const QStringList& fields)> confirmFirstRecord;
    // The allocation editor holds the table: the import's changes stay unsaved beside the
    // editor's own edits for the list's OK or Cancel, an import that ends early drops only its
    // own changes, and the new allocations reach the activities only when the list is saved
    // (forActivities()).
    bool intoEditorsTable = false;
    // Another workstation changing the allocations: 0 stops the import at once with a message;
    // above 0 (an unattended import) waits up to that many seconds for them first.
    int tableWaitSeconds = 0;
};

class AllocationImport {
  public:
    explicit AllocationImport(VelmorSystem& system) : system_(system) {}

    static QStringList fileLabels();

    bool run(const AllocationImportRequest& request);

    const ImportCounts& counts() const { return counts_; }
    const QStringList& remarks() const { return remarks_; }
    // The activities that received the new allocations.
    int activitiesChanged() const { return activitiesChanged_; }
    // Into an editor's table: the new allocations the person chose to add to the activities,
    // for addToActivities() once the table is saved.
    const QList<int>& forActivities() const { return forActivities_; }

    // Adds the allocations to every activity that uses allocations, each starting with the
    // activity's own element standards, holding the activity table for modification while it
    // writes. Answers how many activities changed, or -1 after a message when it failed.
    static int addToActivities(VelmorSystem& system, const QList<int>& allocations);

  private:
    bool readFile(const AllocationImportRequest& request, const QString& systemId);
    void deleteNonImported();
    bool addAccounts();
    void report();
    int message(const QString& text, int style);

    VelmorSystem& system_;
    ImportCounts counts_;
    QStringList remarks_;
    QSet<int> imported_;
    QList<int> added_;
    QList<int> forActivities_;
    std::optional<RecordChanges<AllocationRecord>> changes_;  // what this run wrote
    std::vector<ChangeLogLine> pendingLog_;
    int activitiesChanged_ = 0;
};

}  // namespace vel
