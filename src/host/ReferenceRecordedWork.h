#pragma once
// The reference host's recorded work. The production-sheet lines of TBVMPSL.--N are the facts;
// PostingRules turn each line into figures and data-field values, and TallyStore keeps their
// sums per account level, week and day in the data folder, so that the figures of any range
// are read from at most a few files per week. The histories end on the week end that week-end
// processing closed last ([Master] LastWeekEnd of the master file) or, before the first
// week-end processing, on the Sunday that ends the last complete week before the system's
// clock; their lengths are the settings' History/ShortTermWeeks (4) and LongTermWeeks (13).
// See docs/history.md.
#include "data/FiscalCalendarObject.h"
#include "data/RecordedWork.h"
#include "host/TallyStore.h"

#include <QDateTime>
#include <memory>

namespace vel {

class ReferenceSystem;
class PostingRules;

class ReferenceRecordedWork : public RecordedWork {
  public:
    explicit ReferenceRecordedWork(ReferenceSystem& system);
    ~ReferenceRecordedWork() override;

    bool forEachLine(const QDate& from, const QDate& to,
                     const std::function<bool(const ProductionLineRecord&)>& visit) override;
    bool addLines(const std::vector<ProductionLineRecord>& lines) override;
    double standardMinutes(int activity, int allocation, int element) override;

    std::vector<AccountFigures> figures(AccountLevel level, const QDate& from, const QDate& to,
                                        const WorkSelection& selection, bool perActivity) override;
    std::vector<DataPoint> dataFieldSeries(AccountLevel level, int account,
                                           const QList<int>& fields, const QDate& from,
                                           const QDate& to, DataGrain grain) override;

    HistoryRange shortTermHistory() override;
    HistoryRange longTermHistory() override;
    bool recalculate() override;

    QDate firstDate() override;
    QDate lastDate() override;

    const FiscalCalendarObject& fiscalCalendar() override;

    // The Sunday the histories end on.
    QDate historyEnd();
    // The last day of the data point holding the date.
    QDate pointEnding(const QDate& date, DataGrain grain);
    // The rules of posting as the master files are now (read again when one of them changed);
    // nullptr when they cannot be read (the reason is reported).
    const PostingRules* rules(const char* procedure);
    TallyStore& store() { return store_; }
    // Told that lines changed in place (a data move, a clearing): every line is posted again
    // when the figures are next asked for. False (reported) when that could not be arranged.
    bool linesChanged();

  private:
    HistoryRange history(const QString& key, int defaultWeeks, int maximumWeeks);
    // Posts what is not posted yet; false (reported) when it could not.
    bool upToDate(const char* procedure);
    // The figure or data-field records of one section of every week that overlaps the range,
    // with the first day of each record's week.
    bool forEachSection(
        AccountLevel level, const QDate& from, const QDate& to,
        const std::function<TallySection(bool whole)>& section,
        const std::function<void(const QByteArray&, const QDate& monday, bool whole)>& use,
        const char* procedure);
    QDate boundaryDay(bool first);
    bool fail(const QString& reason, const char* procedure);

    ReferenceSystem& system_;
    TallyStore store_;
    std::unique_ptr<PostingRules> rules_;
    QString rulesStamp_;
    std::unique_ptr<FiscalCalendarObject> calendar_;
};

}  // namespace vel
