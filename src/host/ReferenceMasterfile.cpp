#include "host/ReferenceMasterfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vel {

namespace {

const QString master = QStringLiteral("Master");
const QString dateFormat = QStringLiteral("yyyy/MM/dd");

QDate parseDate(const QString& text) {
    return QDate::fromString(text.trimmed(), dateFormat);
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
    sections[master] = {{QStringLiteral("Title"), settings.title},
                        {QStringLiteral("DataLevel"), settings.dataLevel},
                        {QStringLiteral("FirstYear"), QString::number(settings.firstYear)},
                        {QStringLiteral("Years"), QString::number(settings.years)},
                        {QStringLiteral("Fields"), QString::number(settings.fields)},
                        {QStringLiteral("Periods"), QString::number(settings.periods)},
                        {QStringLiteral("FirstDataDate"), QString()},
                        {QStringLiteral("LastDataDate"), QString()}};
    sections[QStringLiteral("Titles")] = {{QStringLiteral("1"), settings.title}};
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
    lastError_.clear();
    return true;
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
    return value(master, QStringLiteral("Periods")).toInt() == 12 ? 12 : 13;
}

QDate ReferenceMasterfile::yearStart(int year) const {
    const QDate stored = parseDate(value(QStringLiteral("FiscalYears"), QString::number(year)));
    return stored.isValid() ? stored : QDate(year, 1, 1);
}

QDate ReferenceMasterfile::periodStart(int year, int period) const {
    if (period < 1 || period > numberOfPeriods()) {
        return {};
    }
    const QDate start = yearStart(year);
    return numberOfPeriods() == 13 ? start.addDays(28LL * (period - 1))
                                   : start.addMonths(period - 1);
}

QDate ReferenceMasterfile::periodEnd(int year, int period) const {
    if (period < 1 || period > numberOfPeriods()) {
        return {};
    }
    return period == numberOfPeriods() ? yearStart(year + 1).addDays(-1)
                                       : periodStart(year, period + 1).addDays(-1);
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
