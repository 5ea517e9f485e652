#include "host/ReferenceMasterfile.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace vel {

namespace {

const QString master = QStringLiteral("Master");
const QString dateFormat = QStringLiteral("yyyy/MM/dd");

const QString calendarSection = QStringLiteral("Calendar");
const QString sequenceSection = QStringLiteral("PrintSequences");

// The sequence key of a level and number: "3.1".
QString sequenceKey(int level, int number) {
    return QString::number(level) + u'.' + QString::number(number);
}

QDate parseDate(const QString& text) {
    return QDate::fromString(text.trimmed(), dateFormat);
}

QString monthName(int month) {
    return QLocale(QLocale::English).standaloneMonthName(month);
}

// The calendar of a master file that stores none: the twelve calendar months, or thirteen
// periods of four weeks.
FiscalCalendar impliedCalendar(int periods, const QDate& start) {
    FiscalCalendar calendar;
    calendar.yearStart = start;
    calendar.firstMonth = start.isValid() ? start.month() : 1;
    if (periods == 12) {
        calendar.type = FiscalCalendar::CalendarMonths;
        for (int month = 0; month < 12; ++month) {
            const QDate first = start.addMonths(month);
            calendar.periods.push_back({monthName(first.month()), first.daysInMonth()});
        }
    } else {
        for (int period = 1; period <= 13; ++period) {
            calendar.periods.push_back({QStringLiteral("Period ") + QString::number(period), 4});
        }
    }
    return calendar;
}

}  // namespace

ReferenceMasterfile::ReferenceMasterfile(QString path, QString lockPath)
    : path_(std::move(path)), lock_(std::move(lockPath)) {
    reload();
}

QByteArray ReferenceMasterfile::serialize(const Sections& sections) {
    QByteArray text;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        text += '[' + section.key().toUtf8() + "]\n";
        for (auto entry = section->cbegin(); entry != section->cend(); ++entry) {
            text += entry.key().toUtf8() + '=' + entry.value().toUtf8() + '\n';
        }
        text += '\n';
    }
    return text;
}

bool ReferenceMasterfile::create(const QString& path, const MasterfileSettings& settings,
                                 QString* error) {
    if (QFileInfo::exists(path)) {
        *error = QFileInfo(path).fileName() + QStringLiteral(" exists already");
        return false;
    }
    Sections sections;
    sections[master] = {
        {QStringLiteral("Title"), settings.title},
        {QStringLiteral("DataLevel"), settings.dataLevel},
        {QStringLiteral("FirstYear"), QString::number(settings.firstYear)},
        {QStringLiteral("Years"), QString::number(settings.years)},
        {QStringLiteral("Fields"), QString::number(settings.fields)},
        {QStringLiteral("Periods"), QString::number(settings.periods)},
        {QStringLiteral("FirstYearStart"), settings.firstYearStart.isValid()
                                               ? settings.firstYearStart.toString(dateFormat)
                                               : QString()},
        {QStringLiteral("FirstDataDate"), QString()},
        {QStringLiteral("LastDataDate"), QString()}};
    sections[QStringLiteral("Titles")] = {{QStringLiteral("1"), settings.title}};
    sections[sequenceSection] = {{sequenceKey(1, 1), QStringLiteral("System Total")},
                                 {sequenceKey(2, 1), QStringLiteral("All Work Centers")},
                                 {sequenceKey(3, 1), QStringLiteral("All Associates")},
                                 {sequenceKey(4, 1), QStringLiteral("All Allocations")}};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(serialize(sections)) < 0 || !file.commit()) {
        *error = QStringLiteral("Cannot write ") + path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

bool ReferenceMasterfile::reload() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        lastError_ =
            QStringLiteral("Cannot read ") + path_ + QStringLiteral(": ") + file.errorString();
        return false;
    }
    Sections sections;
    QString section;
    for (const QByteArray& rawLine : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            sections[section];
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0) {
            sections[section][line.left(equals).trimmed()] = line.mid(equals + 1);
        }
    }
    if (!sections.contains(master)) {
        lastError_ = name() + QStringLiteral(" is not a master file: it has no [Master] section");
        return false;
    }
    sections_ = sections;
    refreshCalendar();
    lastError_.clear();
    return true;
}

void ReferenceMasterfile::refreshCalendar() {
    const auto stored = sections_.value(calendarSection);
    const int count = stored.value(QStringLiteral("Count")).toInt();
    if (count <= 0) {
        calendarStored_ = false;
        calendar_ =
            impliedCalendar(value(master, QStringLiteral("Periods")).toInt(), systemStartDate());
        return;
    }
    calendarStored_ = true;
    calendar_ = FiscalCalendar{};
    calendar_.type = qBound(1, stored.value(QStringLiteral("Type")).toInt(), 5);
    calendar_.firstMonth = qBound(1, stored.value(QStringLiteral("FirstMonth")).toInt(), 12);
    calendar_.yearStart = parseDate(stored.value(QStringLiteral("YearStart")));
    for (int period = 1; period <= count; ++period) {
        const QString number = QString::number(period);
        calendar_.periods.push_back({stored.value(QStringLiteral("Name") + number),
                                     stored.value(QStringLiteral("Length") + number).toInt()});
    }
}

QString ReferenceMasterfile::name() const {
    return QFileInfo(path_).fileName();
}

bool ReferenceMasterfile::open(bool exclusive) {
    close();
    if (!reload()) {
        return false;
    }
    if (!lock_.lock(SystemLockFile::masterfileByte, exclusive)) {
        lastError_ = lock_.lastError();
        return false;
    }
    open_ = true;
    exclusive_ = exclusive;
    return true;
}

void ReferenceMasterfile::close() {
    if (open_) {
        lock_.unlock(SystemLockFile::masterfileByte);
    }
    open_ = false;
    exclusive_ = false;
}

int ReferenceMasterfile::allocationAccounts() {
    return reload() ? value(master, QStringLiteral("Accounts")).toInt() : 0;
}

bool ReferenceMasterfile::addAllocationAccounts(int number) {
    if (!reload()) {
        return false;
    }
    if (number <= value(master, QStringLiteral("Accounts")).toInt()) {
        return true;
    }
    return setValue(master, QStringLiteral("Accounts"), QString::number(number));
}

QString ReferenceMasterfile::value(const QString& section, const QString& key) const {
    return sections_.value(section).value(key);
}

bool ReferenceMasterfile::setValue(const QString& section, const QString& key,
                                   const QString& text) {
    sections_[section][key] = text;
    refreshCalendar();
    return write();
}

bool ReferenceMasterfile::write() {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(serialize(sections_)) < 0 ||
        !file.commit()) {
        lastError_ =
            QStringLiteral("Cannot write ") + path_ + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

QStringList ReferenceMasterfile::titles() const {
    QStringList list;
    const auto titles = sections_.value(QStringLiteral("Titles"));
    for (int number = 1; titles.contains(QString::number(number)); ++number) {
        list << titles.value(QString::number(number));
    }
    return list;
}

bool ReferenceMasterfile::setTitles(const QStringList& titles) {
    auto& section = sections_[QStringLiteral("Titles")];
    section.clear();
    for (qsizetype index = 0; index < titles.size(); ++index) {
        section[QString::number(index + 1)] = titles[index];
    }
    sections_[master][QStringLiteral("Title")] = titles.value(0);
    return write();
}

int ReferenceMasterfile::numberOfPeriods() const {
    return int(calendar_.periods.size());
}

int ReferenceMasterfile::firstYear() const {
    const int stored = value(master, QStringLiteral("FirstYear")).toInt();
    return stored > 0 ? stored : systemStartDate().year();
}

QDate ReferenceMasterfile::yearStart(int year) const {
    const QDate stored = parseDate(value(QStringLiteral("FiscalYears"), QString::number(year)));
    if (stored.isValid()) {
        return stored;
    }
    if (!calendarStored_ || !calendar_.yearStart.isValid()) {
        return QDate(year, 1, 1);
    }
    const int yearsIn = year - firstYear();
    return calendar_.lengthsInWeeks() ? calendar_.yearStart.addDays(364LL * yearsIn)
                                      : calendar_.yearStart.addMonths(12 * yearsIn);
}

QDate ReferenceMasterfile::periodStart(int year, int period) const {
    if (period < 1 || period > numberOfPeriods()) {
        return {};
    }
    const QDate start = yearStart(year);
    switch (calendar_.type) {
        case FiscalCalendar::CalendarMonths:
            return start.addMonths(period - 1);
        case FiscalCalendar::TwoPerMonth:
            return start.addMonths((period - 1) / 2).addDays((period - 1) % 2 == 0 ? 0 : 15);
        default: {
            qint64 weeks = 0;
            for (int before = 1; before < period; ++before) {
                weeks += calendar_.periods[before - 1].length;
            }
            return start.addDays(7 * weeks);
        }
    }
}

QDate ReferenceMasterfile::periodEnd(int year, int period) const {
    if (period < 1 || period > numberOfPeriods()) {
        return {};
    }
    return period == numberOfPeriods() ? yearStart(year + 1).addDays(-1)
                                       : periodStart(year, period + 1).addDays(-1);
}

QDate ReferenceMasterfile::systemStartDate() const {
    const QDate stored = parseDate(value(master, QStringLiteral("FirstYearStart")));
    if (stored.isValid()) {
        return stored;
    }
    const int year = value(master, QStringLiteral("FirstYear")).toInt();
    const QDate fiscal = parseDate(value(QStringLiteral("FiscalYears"), QString::number(year)));
    return fiscal.isValid() ? fiscal : QDate(year, 1, 1);
}

FiscalCalendar ReferenceMasterfile::fiscalCalendar() const {
    return calendar_;
}

int ReferenceMasterfile::lineStyle() const {
    return value(master, QStringLiteral("LineStyle")).toInt();
}

std::vector<PrintSequence> ReferenceMasterfile::printSequences(int level) const {
    std::vector<PrintSequence> sequences;
    const QString prefix = QString::number(level) + u'.';
    const auto stored = sections_.value(sequenceSection);
    for (auto entry = stored.cbegin(); entry != stored.cend(); ++entry) {
        if (entry.key().startsWith(prefix)) {
            sequences.push_back({entry.key().mid(prefix.size()).toInt(), entry.value()});
        }
    }
    std::sort(sequences.begin(), sequences.end(),
              [](const PrintSequence& one, const PrintSequence& other) {
                  return one.number < other.number;
              });
    return sequences;
}

bool ReferenceMasterfile::setPrintSequences(int level,
                                            const std::vector<PrintSequence>& sequences) {
    // Another workstation may have changed the file since it was read.
    if (!reload()) {
        return false;
    }
    const Sections before = sections_;
    auto& stored = sections_[sequenceSection];
    const QString prefix = QString::number(level) + u'.';
    for (const QString& key : stored.keys()) {
        if (key.startsWith(prefix)) {
            stored.remove(key);
        }
    }
    for (const PrintSequence& sequence : sequences) {
        stored[sequenceKey(level, sequence.number)] = sequence.name;
    }
    if (!write()) {
        sections_ = before;
        return false;
    }
    return true;
}

bool ReferenceMasterfile::setFiscalCalendar(const FiscalCalendar& calendar) {
    const Sections before = sections_;
    auto& stored = sections_[calendarSection];
    stored.clear();
    stored[QStringLiteral("Type")] = QString::number(calendar.type);
    stored[QStringLiteral("FirstMonth")] = QString::number(calendar.firstMonth);
    stored[QStringLiteral("YearStart")] = calendar.yearStart.toString(dateFormat);
    stored[QStringLiteral("Count")] = QString::number(calendar.periods.size());
    for (size_t index = 0; index < calendar.periods.size(); ++index) {
        const QString number = QString::number(index + 1);
        stored[QStringLiteral("Name") + number] = calendar.periods[index].name;
        stored[QStringLiteral("Length") + number] = QString::number(calendar.periods[index].length);
    }
    sections_[master][QStringLiteral("Periods")] = QString::number(calendar.periods.size());
    if (!write()) {
        sections_ = before;
        return false;
    }
    refreshCalendar();
    return true;
}

void ReferenceMasterfile::logChange(const QString& tableWord, const QString& code,
                                    const QString& action) {
    if (changeLogWriter_ && !changeLogWriter_(tableWord, code, action)) {
        lastError_ = QStringLiteral("Cannot write the change log of ") + name();
    }
}

QDate ReferenceMasterfile::firstDataDate() const {
    return parseDate(value(master, QStringLiteral("FirstDataDate")));
}

QDate ReferenceMasterfile::lastDataDate() const {
    return parseDate(value(master, QStringLiteral("LastDataDate")));
}

int ReferenceMasterfile::allocatedFields() const {
    return value(master, QStringLiteral("Fields")).toInt();
}

}  // namespace vel
