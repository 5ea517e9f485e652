#pragma once
// The associate imports: the update file (one associate per line in the layout of the associate
// table export; matched by code, added when new, field by field updated when found, optionally
// deleting the associates the file no longer holds) and the code-change file (old code, new
// code). Both read and write through the system's table objects and tell the person through
// the Ui; nothing is written when a file cannot be read.
//
// The import settings come from the system's settings store, section "ImportFiles"
// (AssocMustMatchWorkCenter, AssocDeleteKeepWC, AssocMergeCode, AssocDeleteNonImported and the
// ten badge filters "<n>AssocBadgeFilter").
//
// A line is skipped (and counted as skipped, with a remark naming its line) when a badge filter
// or the work-center list refuses it, when it has no code or a code longer than 10 characters,
// or when a field that must be a date, a number or yes/no is something else; an empty field
// leaves the stored value as it is. The associate a skipped line names still counts as in the
// file, and a run stopped by the maximum or with unreadable lines deletes nobody.
#include "data/VelmorSystem.h"
#include "data/records/AssociateRecord.h"
#include "maintenance/ImportCounts.h"
#include "maintenance/PendingChangeLog.h"
#include "maintenance/RecordChanges.h"

#include <QDate>
#include <QStringList>
#include <functional>
#include <optional>

namespace vel {

struct AssociateImportRequest {
    QString fileName;
    int rowsToSkip = 0;
    int fieldsToSkip = 0;
    std::optional<bool> deleteNonImported;  // none: the AssocDeleteNonImported setting
    // Shown the first record of an interactive import; false stops it before any change.
    std::function<bool(const QStringList& fields)> confirmFirstRecord;
    // The associate editor holds the table: the import's changes stay unsaved beside the
    // editor's own edits for the list's OK or Cancel, and an import that ends early drops only
    // its own changes.
    bool intoEditorsTable = false;
    // Another workstation changing the associates: 0 stops the import at once with a message;
    // above 0 (an unattended import) waits up to that many seconds for them first.
    int tableWaitSeconds = 0;
};

class AssociateImport {
  public:
    AssociateImport(VelmorSystem& system, QDate today);

    // Runs after every import that changed the table: the derived stores (work-center
    // groupings, the punch lookup file) are rebuilt there.
    void setAfterImport(std::function<void()> afterImport) { afterImport_ = std::move(afterImport); }

    bool importUpdates(const AssociateImportRequest& request);
    bool importCodeChanges(const AssociateImportRequest& request);

    // The labels of the first-record preview for each kind of file.
    static QStringList updateFileLabels();
    static QStringList codeFileLabels();

    const ImportCounts& counts() const { return counts_; }
    const QStringList& remarks() const { return remarks_; }

  private:
    struct Settings;
    // The record numbers the file names, a bit each.
    class ImportedNumbers {
      public:
        void add(int number) {
            if (size_t(number) >= named_.size()) {
                named_.resize(size_t(number) + 1);
            }
            named_[size_t(number)] = true;
        }
        bool contains(int number) const {
            return number >= 0 && size_t(number) < named_.size() && named_[size_t(number)];
        }

      private:
        std::vector<bool> named_;
    };
    // Runs an import; an unexpected failure inside is reported with the suffix, logged
    // "Error Importing", and drops what the run changed.
    bool guardedRun(const QString& procedureSuffix, bool intoEditorsTable,
                    const std::function<bool()>& run);
    bool readUpdateFile(const AssociateImportRequest& request);
    bool readCodeFile(const AssociateImportRequest& request);
    bool openTables(int tableWaitSeconds);
    void closeTables();
    bool checkSettings(const Settings& settings);
    bool readUpdates(const AssociateImportRequest& request, const Settings& settings,
                     ImportedNumbers& imported);
    // Applies the line's present fields to the record; answers what is wrong with the first
    // invalid one (empty when all are valid).
    QString applyFields(const QStringList& fields, AssociateRecord& record);
    bool lineAccepted(const QStringList& fields, const Settings& settings) const;
    void deleteNonImported(const Settings& settings, const ImportedNumbers& imported);
    // Saves the import's changes and writes their change-log entries (into an editor's table:
    // the entries only, the table stays unsaved), or drops them; answers ok when saved.
    bool finishEdits(bool ok, bool intoEditorsTable);
    void dropChanges(bool intoEditorsTable);
    void reportUpdates();
    void skip(qint64 line, const QString& reason);
    int message(const QString& text, int style);
    int findCode(const QString& code, bool workCenters) const;

    VelmorSystem& system_;
    QDate today_;
    std::function<void()> afterImport_;
    QString prefix_;   // "Corporate " for the corporate associate file
    QString caption_;  // of the messages: "Change Codes", or empty for the program's title
    ImportCounts counts_;
    QStringList remarks_;
    PendingChangeLog pendingLog_;                            // written once the table is saved
    std::optional<RecordChanges<AssociateRecord>> changes_;  // what this run wrote
    // Every line of the file was read (not stopped by the maximum, none unreadable): only
    // then may the associates absent from it be deleted.
    bool readWholeFile_ = true;
    bool openedAssociates_ = false;
    bool openedWorkCenters_ = false;
    bool openedGroupings_ = false;
    bool accessTaken_ = false;
};

}  // namespace vel
