#pragma once
// Soundness checks of a table and its indexes, for the vxbase tool and for tests: the header
// against the file size, every record's values, and for an index its expression against the
// table's fields, its tree shape, its order, and that every live record's key is in it.
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/Status.h"

#include <QString>

namespace vel::xbase {

class TableChecker {
  public:
    explicit TableChecker(FileOperations& operations = FileOperations::standard())
        : operations_(operations) {}

    // The first problem found, or success.
    Status checkTable(const QString& path) const;
    Status checkIndex(const QString& tablePath, const QString& indexPath) const;

  private:
    FileOperations& operations_;
};

}  // namespace vel::xbase
