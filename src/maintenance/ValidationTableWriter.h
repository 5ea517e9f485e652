#pragma once
// Writes one validation table of a system to one file through the export writer: the table's
// columns (name, type code, width, decimals) in order, then one row per active record (for the
// elements on activities, per element of each activity; for the valid types of work, per work
// center and type of work).
//
// The master tables it reads are opened when they are not open yet, kept open while the writer
// lives (one export run reads the activity table for three files), and closed again at its end.
// Only the fields a file shows are read from each record (RecordFieldReader), not whole records.
#include "data/TableObject.h"
#include "maintenance/ValidationTables.h"
#include "platform/transfer/ExportFormat.h"

#include <map>
#include <vector>

namespace vel {

class ExportRow;
class ExportWriter;
class VelmorSystem;
struct ExportColumn;

class ValidationTableWriter {
  public:
    explicit ValidationTableWriter(VelmorSystem& system);
    ~ValidationTableWriter();
    ValidationTableWriter(const ValidationTableWriter&) = delete;
    ValidationTableWriter& operator=(const ValidationTableWriter&) = delete;

    // Writes the table to path in the output type (a name or extension of the writer's types)
    // under the internal table name "ValTable". Throws ExportError (naming the file and the
    // problem) or RuntimeError (a table that cannot be opened); the file is then not written.
    void write(ValidationTable table, const QString& outputType, const QString& path,
               const ExportOptions& options);

  private:
    struct ColumnShape {
        const char* name;
        int typeCode;
        int width;
        int decimals = 0;
    };
    void declare(ExportWriter& writer, std::initializer_list<ColumnShape> columns);
    void addRow(ExportWriter& writer, ExportRow& row);
    void use(TableObject& table);

    void writeActivities(ExportWriter& writer);
    void writeWorkCenters(ExportWriter& writer);
    void writeAssociates(ExportWriter& writer);
    template <class Record>
    void writeCodeTable(ExportWriter& writer, Table<Record>& table);
    void writeElements(ExportWriter& writer);
    void writeDataFields(ExportWriter& writer);
    void writeElementsOnActivities(ExportWriter& writer);
    void writeStandards(ExportWriter& writer);
    void writeValidTypesOfWork(ExportWriter& writer);
    // The code of every active record by record number (index 0 unused); for elements, whose
    // code is their description, the description. Read once per table while the writer lives.
    const std::vector<QString>& codes(TableObject& table);
    // The numbers of the active activities, found once for the activity table and for the
    // elements on activities.
    const std::vector<int>& activeActivities();

    VelmorSystem& system_;
    std::vector<TableObject*> opened_;  // tables this writer opened and closes
    std::map<const TableObject*, std::vector<QString>> codes_;
    std::vector<int> activities_;
    bool activitiesRead_ = false;
    int nextPosition_ = 1;
};

}  // namespace vel
