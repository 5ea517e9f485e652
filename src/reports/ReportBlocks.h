#pragma once
// The blocks of an associate report's list: the associates that pass the report's minimum,
// sorted into their groups (in the groups' printing order) and, inside each group, in the
// report's sort order.
#include "reports/AssociateHistory.h"
#include "reports/ReportGrouping.h"

#include <functional>
#include <vector>

namespace vel {

struct ReportBlock {
    int group = 0;
    QString heading;
    std::vector<const AssociateHistory*> associates;
};

using AssociateFilter = std::function<bool(const AssociateHistory&)>;
using AssociateOrder = std::function<bool(const AssociateHistory&, const AssociateHistory&)>;

// The blocks of the associates that pass the filter; with grouping None one block of every
// associate ("All Associates"), even when nobody passes.
std::vector<ReportBlock> reportBlocks(const std::vector<AssociateHistory>& associates,
                                      const ReportGroups& groups, const AssociateFilter& passes,
                                      const AssociateOrder& before);

// Orders by name (ignoring case), then by code.
bool byName(const AssociateHistory& one, const AssociateHistory& other);
// Orders by a figure, highest first, then by name.
AssociateOrder byFigureDescending(std::function<double(const AssociateHistory&)> figure);

// The sum of the block's figures over one history.
WorkFigures blockTotal(const ReportBlock& block, HistoryKind history);

}  // namespace vel
