#pragma once
// The reference host's builder of new systems in a data folder. It takes the lowest system
// number that has no file yet, holds the data folder's new-system lock ("TBNEWSYS.LCK") from
// lock() to its end, so that two workstations never build the same number, and reports each
// file it creates as a progress event.
//
// Sizes: a system may hold 999 activities (the window takes numbers below 1000). The fewest data
// fields are three per estimated activity (actual hours, earned hours and units) and 20 for the
// system's totals. The disk space is the figures' four bytes per field, data point and year, plus
// 64 KiB for the master tables.
#include "data/NewSystemBuilder.h"
#include "host/ChangeLog.h"
#include "host/ReferenceMasterfile.h"
#include "host/SystemLockFile.h"

#include <QDateTime>
#include <functional>
#include <memory>

namespace vel {

class ReferenceNewSystem : public NewSystemBuilder {
  public:
    // Builds in the data folder of the system numbered source (the one clones copy); opened is
    // told the new system's number when openNewSystem() has checked that it opens.
    ReferenceNewSystem(QString dataFolder, int source, std::function<QDateTime()> now,
                       std::function<void(int)> opened);
    ~ReferenceNewSystem() override;

    int activityLimit() const override;
    int minimumFields(const NewSystemParameters& parameters) const override;
    qint64 diskSpace(const NewSystemParameters& parameters) const override;

    bool lock() override;
    bool prepare(const NewSystemParameters& parameters) override;
    bool prepareClone(const QString& folder, const QString& title) override;
    bool readSource(NewSystemParameters& shape) override;
    Masterfile& masterfile() override { return *masterfile_; }
    bool createFiles() override;
    void removeFiles() override;
    bool openNewSystem() override;

    int systemNumber() const override { return systemNumber_; }
    QString settingsLocation() const override;
    QString lastError() const override { return lastError_; }

  private:
    // The master file of the system a clone copies; nullptr (failed) when it cannot be read.
    std::unique_ptr<ReferenceMasterfile> openSource();
    int firstFreeNumber() const;
    bool fail(const QString& error);
    // Writes the master file of system number in folder and opens it for the calendar.
    bool writeMasterfile(const QString& folder, int number, const MasterfileSettings& settings,
                         int activities);

    QString dataFolder_;
    int source_;
    QString folder_;  // where the prepared system is built
    std::function<QDateTime()> now_;
    std::function<void(int)> opened_;
    SystemLockFile folderLock_;
    int systemNumber_ = 0;
    std::unique_ptr<ChangeLog> changeLog_;
    std::unique_ptr<ReferenceMasterfile> masterfile_;
    QString lastError_;
};

}  // namespace vel
