#pragma once
// The system object's builder of new systems: it sizes a new system from the choices of the
// new-system window, prepares its master file, creates its files and opens it. While it works it
// reports its progress to the listener, which shows it on the status display.
#include "data/Masterfile.h"

#include <QDate>
#include <QString>

namespace vel {

// How finely the master files hold the figures: the data points of one year.
enum class DataLevel { Day = 0, Week = 1, Period = 2 };

inline int dataPointsPerYear(DataLevel level) {
    switch (level) {
        case DataLevel::Day:
            return 371;
        case DataLevel::Week:
            return 53;
        case DataLevel::Period:
            return 26;
    }
    return 0;
}

struct NewSystemParameters {
    QString title;
    int startYear = 0;
    QDate fiscalStart;   // the first day of the first fiscal year
    int activities = 0;  // the estimated number of activities
    DataLevel dataLevel = DataLevel::Day;
    int fields = 0;  // the data fields allocated in the master files
    int years = 2;   // the years the master files hold
};

// The builder's progress events.
class NewSystemEvents {
  public:
    virtual ~NewSystemEvents() = default;
    virtual void StatFileInit(const QString& fileName, int count) = 0;
    virtual void StatActionInit(const QString& text) = 0;
    virtual void StatShowPerc(int percent) = 0;
    virtual void StatDone() = 0;
};

class NewSystemBuilder {
  public:
    virtual ~NewSystemBuilder() = default;

    void setEvents(NewSystemEvents* events) { events_ = events; }

    // The sizes the window checks against: the estimated activities must be below the limit;
    // the fewest data fields the choices need; the disk space the master files will take.
    virtual int activityLimit() const = 0;
    virtual int minimumFields(const NewSystemParameters& parameters) const = 0;
    virtual qint64 diskSpace(const NewSystemParameters& parameters) const = 0;

    // Takes the data folder's new-system lock, held until the builder ends; false with
    // lastError() when another workstation is creating a system.
    virtual bool lock() = 0;
    // Takes the next free system number and writes the new system's master file from the
    // parameters; false with lastError() when that is impossible (nothing is left behind).
    virtual bool prepare(const NewSystemParameters& parameters) = 0;
    // Prepares a system of the same number and shape as the system the builder was made from
    // (sizes, start, fiscal calendar, estimated activities) in another folder, with the title;
    // false with lastError() when that folder holds the system already or cannot be written.
    virtual bool prepareClone(const QString& folder, const QString& title) = 0;
    // The shape of the system the builder was made from, as the new-system window shows it for
    // a clone; false with lastError() when its master file cannot be read.
    virtual bool readSource(NewSystemParameters& shape) = 0;
    // The prepared system's master file, where the fiscal calendar is defined before the files
    // are created.
    virtual Masterfile& masterfile() = 0;
    // Creates the prepared system's files, reporting progress; false with lastError().
    virtual bool createFiles() = 0;
    // Deletes every file of the prepared system (after a failure or a cancelled calendar).
    virtual void removeFiles() = 0;
    // Opens the new system as the system the host works on; false with lastError().
    virtual bool openNewSystem() = 0;

    virtual int systemNumber() const = 0;  // the prepared system's number (0 before prepare)
    // Where the prepared system's settings object attaches.
    virtual QString settingsLocation() const = 0;
    virtual QString lastError() const = 0;

  protected:
    NewSystemEvents* events() const { return events_; }

  private:
    NewSystemEvents* events_ = nullptr;
};

}  // namespace vel
