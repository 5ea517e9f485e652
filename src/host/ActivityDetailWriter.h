#pragma once
// Writes the activity detail: one row per production-sheet line of a date range, through the
// export writer, with the codes and names of the master records the line names and the line's
// hours, units, earned hours, performance and cost (the columns are listed in docs/export.md).
//
// A line's units, hours, earned hours and cost are the figures posting gives it (PostingRules);
// performance = earned / measured hours as a percentage (0 without measured hours).
#include "data/VelmorSystem.h"
#include "host/PostingRules.h"

#include <vector>

namespace vel {

class RecordedWork;

class ActivityDetailWriter {
  public:
    ActivityDetailWriter(VelmorSystem& system, RecordedWork& work) : system_(system), work_(work) {}

    ActivityDetailResult write(const QString& file, const QString& outputType, const QDate& from,
                               const QDate& to, bool nonZeroOnly);

  private:
    // Reads the codes and names of the master tables; false with the problem when one of
    // them cannot be opened.
    bool loadNames(QString* problem);

    VelmorSystem& system_;
    RecordedWork& work_;
    std::vector<QString> associateCodes_;
    std::vector<QString> associateNames_;
    std::vector<QString> workCenterCodes_;
    std::vector<QString> allocationCodes_;
    PostingRules rules_;
};

}  // namespace vel
