#include "reports/AssociateHistory.h"

#include "data/VelmorSystem.h"
#include "data/records/AssociateRecord.h"
#include "reports/ReportTables.h"

namespace vel {

namespace {

std::vector<AccountFigures> accountFigures(RecordedWork& work, AccountLevel level,
                                           const HistoryRange& range,
                                           const WorkSelection& selection) {
    if (range.isEmpty()) {
        return {};
    }
    return work.figures(level, range.first, range.last, selection, false);
}

}  // namespace

void readAssociateHistory(VelmorSystem& system, RecordedWork& work, const WorkSelection& selection,
                          ReportFigures& into) {
    into.shortTerm = work.shortTermHistory();
    into.longTerm = work.longTermHistory();
    Table<AssociateRecord>& table = system.associates();
    into.associates.clear();
    QHash<int, size_t> position;
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (!table.isActive(number)) {
            continue;
        }
        const AssociateRecord record = table.record(number);
        AssociateHistory associate;
        associate.associate = number;
        associate.name = associateName(record);
        associate.code = record.Code.trimmed();
        associate.hireDate = record.HireDate;
        associate.wageRate = record.WageRate;
        associate.homeWorkCenter = record.WorkCenter;
        associate.primaryGrouping = record.Grouping;
        position.insert(number, into.associates.size());
        into.associates.push_back(associate);
    }
    const auto fill = [&](const HistoryRange& range, WorkFigures AssociateHistory::*figures) {
        for (const AccountFigures& account :
             accountFigures(work, AccountLevel::Associate, range, selection)) {
            const auto found = position.constFind(account.account);
            if (found != position.constEnd()) {
                into.associates[*found].*figures += account.figures;
            }
        }
    };
    fill(into.shortTerm, &AssociateHistory::shortTerm);
    fill(into.longTerm, &AssociateHistory::longTerm);
}

void readWorkCenterHistory(RecordedWork& work, const WorkSelection& selection,
                           ReportFigures& into) {
    into.shortTerm = work.shortTermHistory();
    into.longTerm = work.longTermHistory();
    const auto read = [&](const HistoryRange& range, WorkCenterFigures& centers) {
        centers.clear();
        for (const AccountFigures& account :
             accountFigures(work, AccountLevel::WorkCenter, range, selection)) {
            centers[account.account] += account.figures;
        }
    };
    read(into.shortTerm, into.workCentersShort);
    read(into.longTerm, into.workCentersLong);
}

}  // namespace vel
