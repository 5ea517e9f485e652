#include "host/ReferenceNewSystem.h"

#include "data/TableCatalogue.h"
#include "host/ReferenceSystem.h"
#include "host/SystemTables.h"
#include "services/AddSlash.h"
#include "services/IniSettings.h"

#include <QFile>
#include <QFileInfo>

namespace vel {

namespace {

constexpr int fieldsPerActivity = 3;
constexpr int systemTotalFields = 20;
constexpr qint64 bytesPerFigure = 4;
constexpr qint64 masterTableBytes = 64 * 1024;

QString dataLevelName(DataLevel level) {
    switch (level) {
        case DataLevel::Day:
            return QStringLiteral("Day");
        case DataLevel::Week:
            return QStringLiteral("Week");
        case DataLevel::Period:
            return QStringLiteral("Period");
    }
    return {};
}

DataLevel dataLevelNamed(const QString& name) {
    for (const DataLevel level : {DataLevel::Week, DataLevel::Period}) {
        if (name.compare(dataLevelName(level), Qt::CaseInsensitive) == 0) {
            return level;
        }
    }
    return DataLevel::Day;
}

}  // namespace

ReferenceNewSystem::ReferenceNewSystem(QString dataFolder, int source,
                                       std::function<QDateTime()> now,
                                       std::function<void(int)> opened)
    : dataFolder_(std::move(dataFolder)),
      source_(source),
      now_(std::move(now)),
      opened_(std::move(opened)),
      folderLock_(AddSlash(dataFolder_) + QStringLiteral("TBNEWSYS.LCK")) {}

ReferenceNewSystem::~ReferenceNewSystem() = default;

int ReferenceNewSystem::activityLimit() const {
    return ReferenceSystem::activityMaximum + 1;
}

int ReferenceNewSystem::minimumFields(const NewSystemParameters& parameters) const {
    return fieldsPerActivity * qMax(0, parameters.activities) + systemTotalFields;
}

qint64 ReferenceNewSystem::diskSpace(const NewSystemParameters& parameters) const {
    return bytesPerFigure * dataPointsPerYear(parameters.dataLevel) * qMax(0, parameters.fields) *
               qMax(0, parameters.years) +
           masterTableBytes;
}

bool ReferenceNewSystem::fail(const QString& error) {
    lastError_ = error;
    return false;
}

bool ReferenceNewSystem::lock() {
    if (!folderLock_.lock(0, true)) {
        return fail(QStringLiteral("Another workstation is creating a system in ") + dataFolder_ +
                    QStringLiteral(".  Try again when it has finished."));
    }
    return true;
}

int ReferenceNewSystem::firstFreeNumber() const {
    int number = 1;
    while (!TableCatalogue(dataFolder_, number).filesOfSystem().isEmpty() ||
           QFileInfo::exists(IniSettings::locationFor(dataFolder_, number))) {
        ++number;
    }
    return number;
}

bool ReferenceNewSystem::prepare(const NewSystemParameters& parameters) {
    if (!lock()) {
        return false;
    }
    MasterfileSettings settings;
    settings.title = parameters.title.trimmed();
    settings.dataLevel = dataLevelName(parameters.dataLevel);
    settings.firstYear = parameters.startYear;
    settings.years = parameters.years;
    settings.fields = parameters.fields;
    settings.firstYearStart = parameters.fiscalStart;
    return writeMasterfile(dataFolder_, firstFreeNumber(), settings, parameters.activities);
}

std::unique_ptr<ReferenceMasterfile> ReferenceNewSystem::openSource() {
    const TableCatalogue names(dataFolder_, source_);
    auto source = std::make_unique<ReferenceMasterfile>(names.path(catalogue::masterFile),
                                                        names.path(hostFiles::accessLock));
    if (!source->lastError().isEmpty()) {
        fail(source->lastError());
        return nullptr;
    }
    return source;
}

bool ReferenceNewSystem::prepareClone(const QString& folder, const QString& title) {
    const std::unique_ptr<ReferenceMasterfile> opened = openSource();
    if (!opened) {
        return false;
    }
    ReferenceMasterfile& source = *opened;
    const auto number = [&](const char* key) {
        return source.value(QStringLiteral("Master"), QString::fromLatin1(key)).toInt();
    };
    MasterfileSettings settings;
    settings.title = title;
    settings.dataLevel = source.value(QStringLiteral("Master"), QStringLiteral("DataLevel"));
    settings.firstYear = number("FirstYear");
    settings.years = number("Years");
    settings.fields = number("Fields");
    settings.periods = source.numberOfPeriods();
    settings.firstYearStart = source.systemStartDate();
    if (!writeMasterfile(folder, source_, settings, number("Activities"))) {
        return false;
    }
    if (!masterfile_->setFiscalCalendar(source.fiscalCalendar())) {
        const QString reason = masterfile_->lastError();
        removeFiles();
        return fail(reason);
    }
    return true;
}

bool ReferenceNewSystem::readSource(NewSystemParameters& shape) {
    const std::unique_ptr<ReferenceMasterfile> opened = openSource();
    if (!opened) {
        return false;
    }
    ReferenceMasterfile& source = *opened;
    const auto number = [&](const char* key) {
        return source.value(QStringLiteral("Master"), QString::fromLatin1(key)).toInt();
    };
    shape.title = source.titles().value(0).trimmed();
    shape.startYear = number("FirstYear");
    shape.fiscalStart = source.systemStartDate();
    shape.activities = number("Activities");
    shape.dataLevel =
        dataLevelNamed(source.value(QStringLiteral("Master"), QStringLiteral("DataLevel")));
    shape.fields = number("Fields");
    shape.years = number("Years");
    return true;
}

bool ReferenceNewSystem::writeMasterfile(const QString& folder, int number,
                                         const MasterfileSettings& settings, int activities) {
    const TableCatalogue names(folder, number);
    QString error;
    if (!ReferenceMasterfile::create(names.path(catalogue::masterFile), settings, &error)) {
        return fail(error);
    }
    folder_ = folder;
    systemNumber_ = number;
    changeLog_ =
        std::make_unique<ChangeLog>(names.path(catalogue::editLog), now_, StoreOptions{true});
    masterfile_ = std::make_unique<ReferenceMasterfile>(names.path(catalogue::masterFile),
                                                        names.path(hostFiles::accessLock));
    masterfile_->setChangeLogWriter(
        [this](const QString& table, const QString& code, const QString& action) {
            return changeLog_->append(table, code, action, {});
        });
    if (!masterfile_->setValue(QStringLiteral("Master"), QStringLiteral("Activities"),
                               QString::number(activities))) {
        const QString reason = masterfile_->lastError();
        removeFiles();
        return fail(reason);
    }
    return true;
}

bool ReferenceNewSystem::createFiles() {
    if (systemNumber_ == 0) {
        return fail(QStringLiteral("No new system has been prepared"));
    }
    NewSystemEvents* listener = events();
    if (listener) {
        listener->StatActionInit(QStringLiteral("Creating Tallybook Masterfiles"));
    }
    const auto progress = [listener](const QString& fileName, int step, int steps) {
        if (!listener) {
            return;
        }
        if (!fileName.isEmpty()) {
            listener->StatFileInit(fileName, steps);
        }
        listener->StatShowPerc(step * 100 / steps);
    };
    QString error;
    const bool created =
        ReferenceSystem::createSystemFiles(folder_, systemNumber_, progress, &error);
    if (listener) {
        listener->StatDone();
    }
    return created || fail(error);
}

void ReferenceNewSystem::removeFiles() {
    if (systemNumber_ == 0) {
        return;
    }
    masterfile_.reset();
    changeLog_.reset();
    const TableCatalogue names(folder_, systemNumber_);
    for (const QString& name : names.filesOfSystem()) {
        QFile::remove(AddSlash(folder_) + name);
    }
    QFile::remove(IniSettings::locationFor(folder_, systemNumber_));
    systemNumber_ = 0;
}

QString ReferenceNewSystem::settingsLocation() const {
    return IniSettings::locationFor(folder_, systemNumber_);
}

bool ReferenceNewSystem::openNewSystem() {
    if (systemNumber_ == 0) {
        return fail(QStringLiteral("No new system has been created"));
    }
    {
        ReferenceSystem system(folder_, systemNumber_, {now_});
        system.errors().setEchoToStandardError(false);
        if (!system.masterfile().open()) {
            return fail(system.referenceMasterfile().lastError());
        }
        system.masterfile().close();
    }
    if (opened_) {
        opened_(systemNumber_);
    }
    return true;
}

}  // namespace vel
