#include "host/SystemRules.h"

#include "host/ReferenceRecordedWork.h"
#include "host/ReferenceSystem.h"

#include <QFileInfo>
#include <algorithm>

namespace vel {

namespace {

const QString productionSheet = QStringLiteral(" Production Sheet");
const QString onActivity = QStringLiteral(" Activity");
const QString onAssociate = QStringLiteral(" Associate");
const QString onTypeOfWork = QStringLiteral(" Type of Work");

}  // namespace

template <class TableType, class Test>
bool SystemRules::anyActive(TableType& table, Test test) {
    if (!table.isOpen() && !table.open()) {
        return false;
    }
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number) && test(table.record(number))) {
            return true;
        }
    }
    return false;
}

bool SystemRules::anyLine(const std::function<bool(const ProductionLineRecord&)>& test) {
    const QFileInfo file(system_.filePath(hostFiles::productionLines));
    const QString stamp = QString::number(file.size()) + u':' +
                          QString::number(file.lastModified().toMSecsSinceEpoch());
    if (stamp != linesStamp_) {
        lines_.clear();
        const bool read = system_.referenceRecordedWork().store().lines().read(
            1, [this](qint64, const ProductionLineRecord& line) {
                lines_.push_back(line);
                return true;
            });
        linesStamp_ = read ? stamp : QString();
    }
    return std::any_of(lines_.begin(), lines_.end(), test);
}

bool SystemRules::changeLines(const std::function<bool(ProductionLineRecord&)>& change,
                              UndoList& undo, QString& error) {
    auto& lines = system_.productionLines();
    if (!lines.isOpen() && !lines.open()) {
        error = lines.lastError();
        return false;
    }
    for (int number = 1; number <= lines.recordCount(); ++number) {
        ProductionLineRecord line = lines.record(number);
        if (lines.isActive(number) && change(line)) {
            lines.setRecord(number, line);
        }
    }
    auto& table = static_cast<XbaseTable<ProductionLineRecord>&>(lines);
    if (!table.core().saveInto(undo)) {
        error = table.lastError();
        table.cancel();
        return false;
    }
    // The posted sums follow the lines, also when the save is taken back.
    ReferenceRecordedWork& work = system_.referenceRecordedWork();
    undo.add([&work] { work.linesChanged(); });
    return work.linesChanged();
}

// An activity is in use while a production sheet of a week not yet closed names it; the lines of
// closed weeks are its recorded data, which a removal moves to another activity or drops.
QString SystemRules::activityUsedOn(int number) {
    const QDate closed = system_.referenceRecordedWork().historyEnd();
    return anyLine([&](const auto& line) { return line.Activity == number && line.Date > closed; })
               ? productionSheet
               : QString();
}

QString SystemRules::allocationUsedOn(int number) {
    if (anyLine([number](const auto& line) { return line.Allocation == number; })) {
        return productionSheet;
    }
    return anyActive(system_.activities(),
                     [number](const ActivityRecord& activity) {
                         return activity.AllocationStandards.count(number) > 0;
                     })
               ? onActivity
               : QString();
}

bool SystemRules::allocationUsedWithActivity(int activityNumber, int allocationNumber) {
    return anyLine([&](const auto& line) {
        return line.Activity == activityNumber && line.Allocation == allocationNumber;
    });
}

QString SystemRules::associateUsedOn(int number) {
    const QDate today = system_.today();
    const QDate monday = today.addDays(1 - today.dayOfWeek());
    const QDate sunday = monday.addDays(6);
    return anyLine([&](const auto& line) {
        return line.Associate == number && line.Date >= monday && line.Date <= sunday;
    })
               ? productionSheet
               : QString();
}

QString SystemRules::workCenterUsedOn(int number) {
    if (anyActive(system_.associates(), [number](const AssociateRecord& associate) {
            return associate.WorkCenter == number;
        })) {
        return onAssociate;
    }
    return anyLine([number](const auto& line) { return line.WorkCenter == number; })
               ? productionSheet
               : QString();
}

QString SystemRules::elementUsedOn(int number) {
    if (anyActive(system_.activities(), [number](const ActivityRecord& activity) {
            return activity.slotOf(number) >= 0;
        })) {
        return onActivity;
    }
    return anyLine([number](const ProductionLineRecord& line) {
        return std::find(line.Element.begin(), line.Element.end(), number) != line.Element.end();
    })
               ? productionSheet
               : QString();
}

QString SystemRules::typeOfWorkUsedOn(int number) {
    return anyActive(system_.activities(),
                     [number](const ActivityRecord& activity) { return activity.TOW == number; })
               ? onActivity
               : QString();
}

QString SystemRules::mistakeUsedOn(int number) {
    return anyActive(system_.typesOfWork(),
                     [number](const TypeOfWorkRecord& type) {
                         return std::find(type.Mistake.begin(), type.Mistake.end(), number) !=
                                type.Mistake.end();
                     })
               ? onTypeOfWork
               : QString();
}

QString SystemRules::groupingUsedOn(int number) {
    return anyActive(
               system_.associates(),
               [number](const AssociateRecord& associate) { return associate.Grouping == number; })
               ? onAssociate
               : QString();
}

QString SystemRules::scheduleUsedOn(int number) {
    return anyActive(
               system_.associates(),
               [number](const AssociateRecord& associate) { return associate.Schedule == number; })
               ? onAssociate
               : QString();
}

QString SystemRules::locationUsedOn(int number) {
    const QString code = system_.locations().code(number).trimmed();
    return anyActive(system_.activities(),
                     [&code](const ActivityRecord& activity) {
                         return activity.StartLocCode.trimmed() == code ||
                                activity.EndLocCode.trimmed() == code;
                     })
               ? onActivity
               : QString();
}

QString SystemRules::machineUsedOn(int number) {
    const QString code = system_.machines().code(number).trimmed();
    return anyActive(system_.activities(),
                     [&code](const ActivityRecord& activity) {
                         return activity.MachineCode.trimmed() == code;
                     })
               ? onActivity
               : QString();
}

bool SystemRules::moveActivityData(int from, int to, UndoList& undo, QString& error) {
    return changeLines(
        [from, to](ProductionLineRecord& line) {
            if (line.Activity != from) {
                return false;
            }
            if (to == 0) {
                line = ProductionLineRecord{};
            } else {
                line.Activity = to;
            }
            return true;
        },
        undo, error);
}

bool SystemRules::moveAssociateData(int from, int to, UndoList& undo, QString& error) {
    return changeLines(
        [from, to](ProductionLineRecord& line) {
            if (line.Associate != from) {
                return false;
            }
            if (to == 0) {
                line = ProductionLineRecord{};
            } else {
                line.Associate = to;
            }
            return true;
        },
        undo, error);
}

bool SystemRules::moveWorkCenterData(int from, int to, UndoList& undo, QString& error) {
    return changeLines(
        [from, to](ProductionLineRecord& line) {
            const bool moved = line.WorkCenter == from;
            line.WorkCenter = moved ? to : line.WorkCenter;
            return moved;
        },
        undo, error);
}

bool SystemRules::moveAllocationData(int from, int to, UndoList& undo, QString& error) {
    return changeLines(
        [from, to](ProductionLineRecord& line) {
            const bool moved = line.Allocation == from;
            line.Allocation = moved ? to : line.Allocation;
            return moved;
        },
        undo, error);
}

bool SystemRules::moveElementData(int from, int to, UndoList& undo, QString& error) {
    // The activities that have the element hand its slot to the target, or empty the slot when
    // there is no target or the activity has the target already.
    auto& activities = static_cast<ActivityTable&>(system_.activities());
    if (!activities.isOpen() && !activities.open()) {
        error = activities.lastError();
        return false;
    }
    bool changed = false;
    for (int number = 1; number <= activities.recordCount(); ++number) {
        ActivityRecord activity = activities.record(number);
        const int slot = activity.slotOf(from);
        if (!activities.isActive(number) || slot < 0) {
            continue;
        }
        if (to != 0 && activity.slotOf(to) < 0) {
            activity.Elements[size_t(slot)].Element = to;
        } else {
            activity.Elements[size_t(slot)] = ActivityElementSlot{};
            for (auto& [allocation, standards] : activity.AllocationStandards) {
                standards[size_t(slot)] = -1.0F;
            }
        }
        activities.setRecord(number, activity);
        changed = true;
    }
    if (changed && !activities.saveInto(undo)) {
        error = activities.lastError();
        activities.cancel();
        return false;
    }
    return changeLines(
        [from, to](ProductionLineRecord& line) {
            bool moved = false;
            for (size_t entry = 0; entry < line.Element.size(); ++entry) {
                if (line.Element[entry] == from) {
                    line.Element[entry] = to;
                    line.Units[entry] = to == 0 ? 0.0 : line.Units[entry];
                    moved = true;
                }
            }
            return moved;
        },
        undo, error);
}

QList<int> SystemRules::earnedHoursMethodsAllowed(int activityNumber) {
    auto& table = static_cast<ActivityTable&>(system_.activities());
    if (!table.isOpen() && !table.open()) {
        return {};
    }
    const ActivityRecord stored = ActivityTable::toRecord(table.core().storedRow(activityNumber));
    if (stored.Code.trimmed().isEmpty()) {
        return {0, 1, 2, 3, 4, 5, 6};
    }
    if (stored.EarnedHrsCalc == 0) {
        return {0};
    }
    return {1, 2, 3, 4, 5, 6};
}

}  // namespace vel
