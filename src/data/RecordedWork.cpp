#include "data/RecordedWork.h"

namespace vel {

namespace {

// Every figure of WorkFigures, in declaration order, for sums and comparisons.
constexpr double WorkFigures::*allFigures[] = {&WorkFigures::totalHours,
                                               &WorkFigures::measuredHours,
                                               &WorkFigures::earnedHours,
                                               &WorkFigures::cost,
                                               &WorkFigures::units,
                                               &WorkFigures::auditableUnits,
                                               &WorkFigures::auditedUnits,
                                               &WorkFigures::audits,
                                               &WorkFigures::catchFailedUnits,
                                               &WorkFigures::checkFailedUnits,
                                               &WorkFigures::auditFailedUnits,
                                               &WorkFigures::accuracyBaseUnits,
                                               &WorkFigures::failureHours,
                                               &WorkFigures::failureCost};

}  // namespace

WorkFigures& WorkFigures::operator+=(const WorkFigures& other) {
    for (double WorkFigures::*figure : allFigures) {
        this->*figure += other.*figure;
    }
    return *this;
}

bool WorkFigures::isZero() const {
    for (double WorkFigures::*figure : allFigures) {
        if (this->*figure != 0.0) {
            return false;
        }
    }
    return true;
}

}  // namespace vel
