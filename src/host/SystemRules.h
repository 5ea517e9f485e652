#pragma once
// The answers the reference host gives about its records:
// - where a record is in use (production-sheet lines, other master records referring to it);
// - where the posted data of a removed record goes (its production-sheet lines);
// - which earned-hours methods an activity may still take.
// docs/host.md states each rule.
#include "host/UndoList.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace vel {

class ReferenceSystem;
struct ProductionLineRecord;

class SystemRules {
  public:
    explicit SystemRules(ReferenceSystem& system) : system_(system) {}

    QString activityUsedOn(int number);  // a line of a week not yet closed
    QString allocationUsedOn(int number);
    QString associateUsedOn(int number);  // "currently active": a line in the current week
    QString workCenterUsedOn(int number);
    QString elementUsedOn(int number);
    QString typeOfWorkUsedOn(int number);
    QString mistakeUsedOn(int number);
    QString groupingUsedOn(int number);
    QString scheduleUsedOn(int number);
    QString locationUsedOn(int number);
    QString machineUsedOn(int number);

    // Moves the lines of a removed record to the target: activities and associates drop their
    // lines when there is no target; work centers, allocations and elements clear the reference.
    bool moveActivityData(int from, int to, UndoList& undo, QString& error);
    bool moveAssociateData(int from, int to, UndoList& undo, QString& error);
    bool moveWorkCenterData(int from, int to, UndoList& undo, QString& error);
    bool moveAllocationData(int from, int to, UndoList& undo, QString& error);
    bool moveElementData(int from, int to, UndoList& undo, QString& error);

    QList<int> earnedHoursMethodsAllowed(int activityNumber);
    // A production-sheet line of the activity on the allocation.
    bool allocationUsedWithActivity(int activityNumber, int allocationNumber);

  private:
    // Whether any active line satisfies the test. The lines are read from their file once and
    // kept until the file's size or time of change moves (an editor asks for many records).
    bool anyLine(const std::function<bool(const ProductionLineRecord&)>& test);
    // Applies the change to every active line it accepts and writes the changed lines.
    bool changeLines(const std::function<bool(ProductionLineRecord&)>& change, UndoList& undo,
                     QString& error);
    template <class TableType, class Test>
    bool anyActive(TableType& table, Test test);

    ReferenceSystem& system_;
    std::vector<ProductionLineRecord> lines_;
    QString linesStamp_;
};

}  // namespace vel
