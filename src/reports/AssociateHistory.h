#pragma once
// The associates of a report with their recorded work over both histories (short and long term)
// for the chosen work, and the work centers' figures for the chart lines. Everything is read
// through the system's recorded work; the associate and work-center tables must be open.
#include "data/RecordedWork.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <vector>

namespace vel {

class VelmorSystem;

// Which of the two histories.
enum class HistoryKind { LongTerm, ShortTerm };

struct AssociateHistory {
    int associate = 0;  // record number
    QString name;       // "Last, First"
    QString code;
    QDate hireDate;
    double wageRate = 0.0;
    int homeWorkCenter = 0;
    int primaryGrouping = 0;
    WorkFigures shortTerm;
    WorkFigures longTerm;

    const WorkFigures& figures(HistoryKind history) const {
        return history == HistoryKind::ShortTerm ? shortTerm : longTerm;
    }
};

// The figures of the work centers over one history, by record number.
using WorkCenterFigures = QHash<int, WorkFigures>;

struct ReportFigures {
    HistoryRange shortTerm;
    HistoryRange longTerm;
    std::vector<AssociateHistory> associates;  // every active associate, by record number
    WorkCenterFigures workCentersShort;
    WorkCenterFigures workCentersLong;

    const HistoryRange& range(HistoryKind history) const {
        return history == HistoryKind::ShortTerm ? shortTerm : longTerm;
    }
    const WorkCenterFigures& workCenters(HistoryKind history) const {
        return history == HistoryKind::ShortTerm ? workCentersShort : workCentersLong;
    }
};

// Reads the associates' figures over both histories ("Calculating Associate History").
void readAssociateHistory(VelmorSystem& system, RecordedWork& work, const WorkSelection& selection,
                          ReportFigures& into);
// Reads the work centers' figures over both histories ("Calculating Work Center History").
void readWorkCenterHistory(RecordedWork& work, const WorkSelection& selection, ReportFigures& into);

}  // namespace vel
