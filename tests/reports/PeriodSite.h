#pragma once
// The fiscal-periods wizard's tests: a master file on a temporary folder whose change-log
// entries are kept, and a headless Ui whose unscripted windows and unanswered messages fail the
// test.
#include "host/ReferenceMasterfile.h"
#include "reports/frmPeriod.h"
#include "ui/FormDriver.h"
#include "ui/HeadlessUi.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace vel::testing {

struct PeriodSite {
    // A master file whose system starts on the date.
    explicit PeriodSite(const QDate& systemStart) : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        path = directory.path() + QStringLiteral("/TBMASTER.1");
        MasterfileSettings settings;
        settings.title = QStringLiteral("Periods Test");
        settings.firstYear = systemStart.year();
        settings.firstYearStart = systemStart;
        QString error;
        EXPECT_TRUE(ReferenceMasterfile::create(path, settings, &error)) << error.toStdString();
        masterfile = std::make_unique<ReferenceMasterfile>(path, lockPath());
        masterfile->setChangeLogWriter(
            [this](const QString& table, const QString& code, const QString& action) {
                logged << table + QStringLiteral("|") + code + QStringLiteral("|") + action;
                return true;
            });
    }

    QString lockPath() const { return directory.path() + QStringLiteral("/TBLOCK.1"); }

    // Runs the wizard once with the script; its answer.
    bool edit(HeadlessUi::FormScript script) {
        ui.when(QStringLiteral("frmPeriod"), std::move(script));
        frmPeriod window;
        return window.Edit(0, *masterfile);
    }
    // The calendar as the file holds it, read afresh.
    FiscalCalendar stored() const { return ReferenceMasterfile(path, lockPath()).fiscalCalendar(); }
    QByteArray fileBytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir directory;
    QString path;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceMasterfile> masterfile;
    QStringList logged;  // "table|code|action"
};

// The pages of the wizard that show now, by their frames' names (one when all is well).
inline QString shownPage(FormDriver& wizard) {
    QStringList shown;
    for (const char* page : {"fraCalendarType", "fraWeeksInYear", "fraFirstMonth", "fraSummary"}) {
        if (wizard.form().control(QLatin1String(page)).visible()) {
            shown << QLatin1String(page);
        }
    }
    return shown.join(u',');
}

}  // namespace vel::testing
