#include "host/ReferenceRecordedWork.h"

#include "data/TableCatalogue.h"
#include "host/PostingRules.h"
#include "host/ReferenceSystem.h"
#include "host/WeekEndProcessing.h"
#include "services/IniSettings.h"

#include <QFileInfo>
#include <QMap>
#include <algorithm>
#include <cstring>
#include <map>

namespace vel {

namespace {

const QString dateFormat = QStringLiteral("yyyy/MM/dd");

}  // namespace

ReferenceRecordedWork::ReferenceRecordedWork(ReferenceSystem& system)
    : system_(system), store_(system.program().dataFolder(), system.program().systemNumber()) {}

ReferenceRecordedWork::~ReferenceRecordedWork() = default;

bool ReferenceRecordedWork::fail(const QString& reason, const char* procedure) {
    system_.errors().report(
        reason + QStringLiteral(" - ReferenceRecordedWork:") + QLatin1String(procedure), 0, false);
    return false;
}

const PostingRules* ReferenceRecordedWork::rules(const char* procedure) {
    // The master files' sizes and times of change: reading 999 activities again for every
    // question would cost more than the question.
    QString stamp;
    for (const QString& name :
         {QString(catalogue::activityTable), QString(hostFiles::standards),
          QString(catalogue::typeOfWorkTable), QString(hostFiles::dataFields)}) {
        const QFileInfo file(system_.filePath(name));
        stamp += QString::number(file.size()) + u':' +
                 QString::number(file.lastModified().toMSecsSinceEpoch()) + u';';
    }
    if (rules_ && stamp == rulesStamp_) {
        return rules_.get();
    }
    auto loaded = std::make_unique<PostingRules>();
    QString error;
    if (!loaded->load(system_, &error)) {
        fail(error, procedure);
        return nullptr;
    }
    rules_ = std::move(loaded);
    rulesStamp_ = stamp;
    return rules_.get();
}

bool ReferenceRecordedWork::upToDate(const char* procedure) {
    if (store_.isUpToDate()) {
        return true;
    }
    const PostingRules* posting = rules(procedure);
    return posting != nullptr &&
           (store_.bringUpToDate(*posting) || fail(store_.lastError(), procedure));
}

bool ReferenceRecordedWork::forEachLine(
    const QDate& from, const QDate& to,
    const std::function<bool(const ProductionLineRecord&)>& visit) {
    return store_.lines().readDateRange(from, to, visit) ||
           fail(store_.lines().lastError(), "forEachLine");
}

bool ReferenceRecordedWork::addLines(const std::vector<ProductionLineRecord>& lines) {
    for (const ProductionLineRecord& line : lines) {
        if (!line.Date.isValid() || line.Activity <= 0 || line.Associate <= 0 ||
            line.WorkCenter <= 0) {
            return fail(QStringLiteral("A production-sheet line needs a date, an activity, an "
                                       "associate and a work center"),
                        "addLines");
        }
    }
    const PostingRules* posting = rules("addLines");
    if (posting == nullptr) {
        return false;
    }
    // The record table of the lines reads the file again when it is next opened.
    if (system_.productionLines().isOpen()) {
        system_.productionLines().close();
    }
    return lines.empty() || store_.addLines(lines, *posting) ||
           fail(store_.lastError(), "addLines");
}

bool ReferenceRecordedWork::linesChanged() {
    return store_.invalidate() || fail(store_.lastError(), "linesChanged");
}

double ReferenceRecordedWork::standardMinutes(int activity, int allocation, int element) {
    const PostingRules* posting = rules("standardMinutes");
    return posting != nullptr ? posting->standardMinutes(activity, allocation, element) : 0.0;
}

bool ReferenceRecordedWork::forEachSection(
    AccountLevel level, const QDate& from, const QDate& to,
    const std::function<TallySection(bool whole)>& section,
    const std::function<void(const QByteArray&, const QDate& monday, bool whole)>& use,
    const char* procedure) {
    if (!upToDate(procedure)) {
        return false;
    }
    QByteArray records;
    for (const QDate& ending : store_.weeks()) {
        const QDate monday = ending.addDays(-6);
        if (ending < from || monday > to) {
            continue;
        }
        const bool whole = monday >= from && ending <= to;
        QString error;
        const QString path = store_.weekPath(ending);
        if (!TallyWeek::readSection(path, level, section(whole), &records, &error)) {
            return fail(path + QStringLiteral(": ") + error, procedure);
        }
        use(records, monday, whole);
    }
    return true;
}

std::vector<AccountFigures> ReferenceRecordedWork::figures(AccountLevel level, const QDate& from,
                                                           const QDate& to,
                                                           const WorkSelection& selection,
                                                           bool perActivity) {
    std::vector<AccountFigures> answer;
    const bool selective =
        selection.activity != 0 || selection.typeOfWork != 0 || selection.ppaOnly;
    const PostingRules* posting = selective ? rules("figures") : nullptr;
    if (selective && posting == nullptr) {
        return answer;
    }
    std::map<std::pair<int, int>, WorkFigures> sums;
    const auto add = [&](const QByteArray& records, const QDate& monday, bool whole) {
        const qsizetype count = records.size() / qsizetype(sizeof(FigureRecord));
        for (qsizetype index = 0; index < count; ++index) {
            FigureRecord record;
            std::memcpy(&record, records.constData() + index * qsizetype(sizeof(FigureRecord)),
                        sizeof(FigureRecord));
            if (!whole) {
                const QDate day = monday.addDays(record.day - 1);
                if (day < from || day > to) {
                    continue;
                }
            }
            if (posting != nullptr && !posting->selects(record.activity, selection)) {
                continue;
            }
            sums[{record.account, perActivity ? record.activity : 0}] += record.figures;
        }
    };
    const auto section = [](bool whole) { return whole ? TallySection::Week : TallySection::Day; };
    if (!forEachSection(level, from, to, section, add, "figures")) {
        return answer;
    }
    answer.reserve(sums.size());
    for (const auto& [key, figures] : sums) {
        answer.push_back({key.first, key.second, figures});
    }
    return answer;
}

QDate ReferenceRecordedWork::pointEnding(const QDate& date, DataGrain grain) {
    switch (grain) {
        case DataGrain::Day:
            return date;
        case DataGrain::Week:
            return FiscalCalendarObject::week(date).last;
        case DataGrain::Period: {
            const FiscalSpan period = fiscalCalendar().period(date);
            return period.isValid() ? period.last : QDate();
        }
    }
    return date;
}

std::vector<DataPoint> ReferenceRecordedWork::dataFieldSeries(AccountLevel level, int account,
                                                              const QList<int>& fields,
                                                              const QDate& from, const QDate& to,
                                                              DataGrain grain) {
    std::vector<DataPoint> answer;
    if (fields.isEmpty()) {
        return answer;
    }
    QMap<QDate, std::vector<double>> points;
    const auto add = [&](const QByteArray& records, const QDate& monday, bool) {
        const qsizetype count = records.size() / qsizetype(sizeof(FieldRecord));
        for (qsizetype index = 0; index < count; ++index) {
            FieldRecord record;
            std::memcpy(&record, records.constData() + index * qsizetype(sizeof(FieldRecord)),
                        sizeof(FieldRecord));
            const qsizetype column = fields.indexOf(record.field);
            const QDate day = monday.addDays(record.day - 1);
            if (record.account != account || column < 0 || day < from || day > to) {
                continue;
            }
            std::vector<double>& values = points[pointEnding(day, grain)];
            values.resize(size_t(fields.size()), 0.0);
            values[size_t(column)] += record.value;
        }
    };
    const auto section = [](bool) { return TallySection::Fields; };
    if (!forEachSection(level, from, to, section, add, "dataFieldSeries")) {
        return answer;
    }
    for (auto point = points.cbegin(); point != points.cend(); ++point) {
        answer.push_back({point.key(), point.value()});
    }
    return answer;
}

QDate ReferenceRecordedWork::historyEnd() {
    ReferenceMasterfile& masterfile = system_.referenceMasterfile();
    masterfile.reload();
    const QDate closed = QDate::fromString(
        masterfile.value(QStringLiteral("Master"), QStringLiteral("LastWeekEnd")), dateFormat);
    return closed.isValid() ? closed : WeekEndProcessing::lastWeekEnd(system_.today());
}

HistoryRange ReferenceRecordedWork::history(const QString& key, int defaultWeeks,
                                            int maximumWeeks) {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(QStringLiteral("History"));
    bool number = false;
    int weeks = settings.readValue(key, QString::number(defaultWeeks)).trimmed().toInt(&number);
    weeks = number ? std::clamp(weeks, 1, maximumWeeks) : defaultWeeks;
    HistoryRange range;
    range.weeks = weeks;
    range.last = historyEnd();
    range.first = range.last.addDays(1 - 7 * weeks);
    return range;
}

HistoryRange ReferenceRecordedWork::shortTermHistory() {
    return history(QStringLiteral("ShortTermWeeks"), 4, 52);
}

HistoryRange ReferenceRecordedWork::longTermHistory() {
    return history(QStringLiteral("LongTermWeeks"), 13, 260);
}

bool ReferenceRecordedWork::recalculate() {
    system_.StatusText(QStringLiteral("Recalculating History..."));
    system_.StatusPercent(0);
    const PostingRules* posting = rules("recalculate");
    const bool rebuilt = posting != nullptr && (store_.rebuild(*posting, [this](int percent) {
                             system_.StatusPercent(percent);
                         }) || fail(store_.lastError(), "recalculate"));
    system_.StatusDone();
    return rebuilt;
}

QDate ReferenceRecordedWork::boundaryDay(bool first) {
    if (!upToDate(first ? "firstDate" : "lastDate")) {
        return {};
    }
    const QList<QDate> weeks = store_.weeks();
    TallyWeek week;
    if (weeks.isEmpty() || !store_.readWeek(first ? weeks.first() : weeks.last(), week)) {
        return {};
    }
    return first ? week.firstDay() : week.lastDay();
}

QDate ReferenceRecordedWork::firstDate() {
    return boundaryDay(true);
}

QDate ReferenceRecordedWork::lastDate() {
    return boundaryDay(false);
}

const FiscalCalendarObject& ReferenceRecordedWork::fiscalCalendar() {
    if (!calendar_) {
        calendar_ = std::make_unique<FiscalCalendarObject>(system_.masterfile());
    }
    return *calendar_;
}

}  // namespace vel
