#pragma once
// The system's master file of posted figures: the reports read it, the title editor writes its
// titles, the period set-up needs it alone.
#include <QDate>
#include <QString>
#include <QStringList>

namespace vel {

class Masterfile {
public:
    virtual ~Masterfile() = default;

    virtual QString name() const = 0;  // shown as "Opening " + name
    // Opens the file, shared or for this program alone; false stops the caller's operation.
    virtual bool open(bool exclusive = false) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual QStringList titles() const = 0;
    virtual bool setTitles(const QStringList& titles) = 0;

    virtual int numberOfPeriods() const = 0;
    // First and last date of a fiscal period (1-based) of the given fiscal year.
    virtual QDate periodStart(int year, int period) const = 0;
    virtual QDate periodEnd(int year, int period) const = 0;
    virtual QDate firstDataDate() const = 0;  // the system dates: first and last posted day
    virtual QDate lastDataDate() const = 0;
};

// "Could not open the TBMASTER.1 exclusively.  You must be the only user on the system to perform
// this operation": the message when the exclusive open fails.
inline QString exclusiveOpenRefusal(const QString& masterfileName) {
    return QStringLiteral("Could not open the ") + masterfileName +
           QStringLiteral(" exclusively.  You must be the only user on the system to perform this operation");
}

}  // namespace vel
