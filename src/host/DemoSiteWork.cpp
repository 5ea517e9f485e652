// The demo site's recorded work: the data fields its activities and types of work post into,
// the production-sheet lines of its weeks (posted as they are written) and its day file.
#include "data/QualityDataFields.h"
#include "data/RecordedWork.h"
#include "host/DemoProductionLines.h"
#include "host/DemoSiteBuilder.h"
#include "host/PostingRules.h"
#include "services/RuntimeError.h"

#include <QSet>
#include <map>

namespace vel {

namespace {

constexpr int fileAccessError = 75;
constexpr int steps = 13;

// The day file's figures of each day, added up line by line.
class DemoDays {
  public:
    DemoDays(const PostingRules& rules, const std::vector<WorkCenterRecord>& workCenters)
        : rules_(rules), workCenters_(workCenters) {}

    void add(const std::vector<ProductionLineRecord>& lines) {
        for (const ProductionLineRecord& line : lines) {
            Day& day = days_[line.Date];
            const WorkFigures figures = rules_.figuresOf(line);
            day.record.Lines += 1;
            day.record.Hours += figures.totalHours;
            day.record.Measured += figures.measuredHours;
            day.record.Earned += figures.earnedHours;
            day.record.Units += figures.units;
            day.record.Cost += figures.cost;
            day.record.Audited += figures.auditedUnits;
            day.record.Failed +=
                figures.catchFailedUnits + figures.checkFailedUnits + figures.auditFailedUnits;
            day.associates.insert(line.Associate);
            const WorkCenterRecord& center = workCenters_[size_t(line.WorkCenter - 1)];
            day.start =
                day.start.isValid() ? std::min(day.start, center.StartTime) : center.StartTime;
            day.stop = day.stop.isValid() ? std::max(day.stop, center.StopTime) : center.StopTime;
        }
    }

    std::vector<DayFileRecord> records() const {
        std::vector<DayFileRecord> records;
        for (const auto& [date, day] : days_) {
            DayFileRecord record = day.record;
            record.FileDate = date;
            record.Date = date;
            record.Times = day.start.toString(QStringLiteral("hh:mm")) + u'-' +
                           day.stop.toString(QStringLiteral("hh:mm"));
            record.Associates = int(day.associates.size());
            records.push_back(record);
        }
        return records;
    }

  private:
    struct Day {
        DayFileRecord record;
        QSet<int> associates;
        QTime start;
        QTime stop;
    };
    const PostingRules& rules_;
    const std::vector<WorkCenterRecord>& workCenters_;
    std::map<QDate, Day> days_;
};

}  // namespace

void DemoSiteBuilder::assignDataFields() {
    const auto assign = [this](const QString& description) {
        const int number = system_.assignDataField(description);
        if (number == 0) {
            throw RuntimeError(fileAccessError,
                               QStringLiteral("No free data field for ") + description);
        }
        return number;
    };
    // The quality fields as the type-of-work editor names and expects them, so that the demo
    // site needs no conversion when that editor opens.
    const auto mistakeName = [this](int number) {
        return number >= 1 && size_t(number) <= mistakes_.size() ? mistakes_[size_t(number - 1)].Desc
                                                                 : QString();
    };
    for (TypeOfWorkRecord& type : typesOfWork_) {
        const std::vector<QualityFieldRow> rows = qualityFieldRows(type, mistakeName);
        for (size_t row = 0; row < rows.size(); ++row) {
            const int number = assign(rows[row].description);
            if (row < type.QualityField.size()) {
                type.QualityField[row] = number;
            }
        }
    }
    for (ActivityRecord& activity : activities_) {
        const QString code = activity.Code + u' ';
        activity.FldHoursto = assign(code + QStringLiteral("Actual Hours"));
        if (activity.EarnedHrsCalc != 0) {
            activity.FldEarnedto = assign(code + QStringLiteral("Earned Hours"));
        }
        activity.FldCostto = assign(code + QStringLiteral("Cost"));
        for (ActivityElementSlot& slot : activity.Elements) {
            if (!slot.isEmpty()) {
                slot.UnitsField = assign(code + elements_[size_t(slot.Element - 1)].Desc +
                                         QStringLiteral(" units"));
            }
        }
    }
    if (!system_.dataFields().save()) {
        throw RuntimeError(fileAccessError, system_.dataFields().lastError());
    }
    system_.dataFields().close();
}

void DemoSiteBuilder::recordWork() {
    PostingRules rules;
    QString error;
    if (!rules.load(system_, &error)) {
        throw RuntimeError(fileAccessError, error);
    }
    DemoProductionLines maker(
        random_, {activities_, associates_, workCenters_, typesOfWork_, elementRates_, rules},
        shape_.large);
    DemoDays days(rules, workCenters_);
    RecordedWork& work = system_.recordedWork();
    int week = 0;
    maker.make(today_.addDays(1 - 7 * shape_.weeksOfWork), today_,
               [&](std::vector<ProductionLineRecord>& lines) {
                   if (!work.addLines(lines)) {
                       const auto& reports = system_.errors().reports();
                       throw RuntimeError(fileAccessError, reports.isEmpty()
                                                               ? QStringLiteral("Cannot record")
                                                               : reports.last().text);
                   }
                   days.add(lines);
                   system_.StatusPercent(
                       (100 * (steps - 1) + 100 * ++week / (shape_.weeksOfWork + 1)) / steps);
               });
    store(system_.dayFile(), days.records());
}

}  // namespace vel
