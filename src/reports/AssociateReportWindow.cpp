#include "reports/AssociateReportWindow.h"

#include "data/ProgramObject.h"
#include "data/RecordedWork.h"
#include "data/TableObject.h"
#include "data/VelmorSystem.h"
#include "platform/print/TBPrint.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportTables.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/Frame.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

namespace {
// Both analysis windows report their history errors under the production window's name.
const QString calcHistory = QStringLiteral(" - frmEmployeeList:CalcHistory");
const QString calcWorkCenterHistory = QStringLiteral(" - frmEmployeeList:CalcWCHistory");
// Opens the tables a report reads; false with the message naming the one that did not open.
bool openTables(ReportTables& tables, std::initializer_list<TableObject*> list, QString& failure) {
    try {
        for (TableObject* table : list) {
            tables.use(*table);
        }
        return true;
    } catch (const ReportTableError& error) {
        failure = error.message();
        return false;
    }
}

}  // namespace

bool AssociateReportWindow::showOptions(quintptr hwndOwner, VelmorSystem& system,
                                        const QString& entry) {
    system_ = &system;
    sent_ = false;
    guarded(QStringLiteral(" - ") + name() + u':' + entry, [&] {
        ReportTables lists;
        QString failure;
        if (!openTables(lists, {&system.activities(), &system.typesOfWork()}, failure)) {
            message(failure, MB_ICONEXCLAMATION);
            return;
        }
        load();
        ShowLikeModal(*this, hwndOwner);
    });
    if (isLoaded()) {
        unload();
    }
    system_ = nullptr;
    return sent_;
}

bool AssociateReportWindow::readFigures(const RunChoices& choices, ReportFigures& figures) {
    RecordedWork& work = system_->recordedWork();
    system_->StatusText(QStringLiteral("Calculating Associate History"));
    if (!guarded(calcHistory,
                 [&] { readAssociateHistory(*system_, work, choices.selection, figures); })) {
        return false;
    }
    if (!choices.workCenters) {
        return true;
    }
    system_->StatusText(QStringLiteral("Calculating Work Center History"));
    return guarded(calcWorkCenterHistory,
                   [&] { readWorkCenterHistory(work, choices.selection, figures); });
}

void AssociateReportWindow::declareRunButtons() {
    Row& buttons = line();
    buttons.button(QStringLiteral("SaveButtons1"), 0, QStringLiteral("&Close"))
        .makeCancel()
        .clicked([this] { hide(); });
    buttons.button(QStringLiteral("SaveButtons1"), 1, QStringLiteral("&Print")).clicked([this] {
        run(PrintDestination::Printer);
    });
    buttons.button(QStringLiteral("SaveButtons1"), 2, QStringLiteral("&View"))
        .makeDefault()
        .clicked([this] { run(PrintDestination::Preview); });
}

void AssociateReportWindow::run(PrintDestination destination) {
    RunChoices choices;
    choices.tableMessageIcon = MB_ICONEXCLAMATION;
    if (!checkOptions(choices)) {
        return;
    }
    if (!choices.preparing.isEmpty()) {
        system_->StatusText(choices.preparing);
    }
    system_->StatusText(QStringLiteral("Opening tables and databases"));
    ReportTables tables;
    QString failure;
    if (!openTables(tables,
                    {&system_->associates(), &system_->workCenters(), &system_->groupings()},
                    failure)) {
        system_->StatusDone();
        message(failure, choices.tableMessageIcon);
        return;
    }
    ReportFigures figures;
    if (!readFigures(choices, figures)) {
        system_->StatusDone();
        return;
    }
    system_->StatusText(QStringLiteral("Summarizing Data"));
    system_->StatusText(QStringLiteral("Sorting Data"));
    TBPrint printer;
    ReportPrinter events(*system_, printer);
    events.setPageChoices([this](PageSetup& setup) { choosePage(setup); });
    bool printed = false;
    guarded(QStringLiteral(" - ") + name() + QStringLiteral(":PrintReport"), printed,
            [&] { printed = printReport(printer, events, figures); });
    system_->StatusDone();
    if (!printed) {
        if (!printer.lastError().isEmpty()) {
            message(printer.lastError(), MB_ICONEXCLAMATION);
        }
        return;
    }
    sent_ = events.send(destination) || sent_;
}

int AssociateReportWindow::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_->Program().title());
}

}  // namespace vel
