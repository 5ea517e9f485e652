#include "reports/ReportBlocks.h"

#include <algorithm>
#include <map>

namespace vel {

std::vector<ReportBlock> reportBlocks(const std::vector<AssociateHistory>& associates,
                                      const ReportGroups& groups, const AssociateFilter& passes,
                                      const AssociateOrder& before) {
    std::map<int, ReportBlock> byGroup;
    if (groups.grouping() == ReportGrouping::None) {
        byGroup[0].heading = groups.heading(0);
    }
    for (const AssociateHistory& associate : associates) {
        if (!passes(associate)) {
            continue;
        }
        const int group = groups.groupOf(associate.homeWorkCenter, associate.primaryGrouping);
        ReportBlock& block = byGroup[group];
        block.group = group;
        block.heading = groups.heading(group);
        block.associates.push_back(&associate);
    }
    std::vector<ReportBlock> blocks;
    for (auto& [group, block] : byGroup) {
        std::ranges::stable_sort(block.associates,
                                 [&](const AssociateHistory* one, const AssociateHistory* other) {
                                     return before(*one, *other);
                                 });
        blocks.push_back(std::move(block));
    }
    std::ranges::stable_sort(blocks, [&](const ReportBlock& one, const ReportBlock& other) {
        return groups.printsBefore(one.group, other.group);
    });
    return blocks;
}

bool byName(const AssociateHistory& one, const AssociateHistory& other) {
    const int names = QString::compare(one.name, other.name, Qt::CaseInsensitive);
    if (names != 0) {
        return names < 0;
    }
    return one.code < other.code;
}

AssociateOrder byFigureDescending(std::function<double(const AssociateHistory&)> figure) {
    return
        [figure = std::move(figure)](const AssociateHistory& one, const AssociateHistory& other) {
            const double first = figure(one);
            const double second = figure(other);
            return first != second ? first > second : byName(one, other);
        };
}

WorkFigures blockTotal(const ReportBlock& block, HistoryKind history) {
    WorkFigures total;
    for (const AssociateHistory* associate : block.associates) {
        total += associate->figures(history);
    }
    return total;
}

}  // namespace vel
