#pragma once
// Repairs a table that a crash or a copy cut short: the header's count is taken from the file
// size (whole records), a torn last record is dropped, the end mark is written again and the
// named indexes are rebuilt. The file as it was is kept beside it as "<file>.bak". Interrupted
// saves in the folder are put back from their journals first. The table must be closed on every
// workstation: the repair opens it alone.
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/Status.h"

#include <QStringList>

namespace vel::xbase {

struct RepairReport {
    quint32 headerCount = 0;  // what the header said
    quint32 records = 0;      // whole records in the file, the new count
    qint64 droppedBytes = 0;  // of a torn last record
    QString backupPath;
};

class TableRepair {
  public:
    explicit TableRepair(FileOperations& operations = FileOperations::standard())
        : operations_(operations) {}

    Status repair(const QString& path, const QStringList& indexes, RepairReport* report);

  private:
    FileOperations& operations_;
};

}  // namespace vel::xbase
