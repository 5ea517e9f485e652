#include "host/DemoSite.h"

#include "host/DemoSiteBuilder.h"
#include "host/ReferenceReportModule.h"
#include "services/RuntimeError.h"

#include <QDir>

namespace vel {

bool createDemoSite(const QString& folder, DemoSize size, QString* error, const QDate& today) {
    QString ignored;
    QString& reason = error != nullptr ? *error : ignored;
    if (!today.isValid()) {
        reason = QStringLiteral("The demo site needs a valid date for its production sheets");
        return false;
    }
    if (!QDir().mkpath(folder)) {
        reason = QStringLiteral("Cannot create the folder ") + folder;
        return false;
    }
    MasterfileSettings settings;
    settings.title = QStringLiteral("Riverside Distribution Center");
    // Fiscal years from the one holding the first recorded day to today's.
    const int yearsOfWork = size == DemoSize::Large ? 2 : 1;
    settings.firstYear = today.year() - yearsOfWork;
    settings.years = yearsOfWork + 1;
    if (!ReferenceSystem::createEmptySystem(folder, 1, settings, &reason)) {
        return false;
    }
    try {
        ReferenceSystem system(folder, 1, {[today] { return QDateTime(today, QTime(12, 0)); }});
        system.errors().setEchoToStandardError(false);
        DemoSiteBuilder(system, size, today).build();
    } catch (const RuntimeError& failure) {
        reason = failure.description();
        return false;
    } catch (const std::exception& failure) {
        reason = QString::fromUtf8(failure.what());
        return false;
    }
    // A few report templates per quick-report mode, so that the quick report has reports to run.
    if (!ReferenceReportModule::writeDemoTemplates(folder, &reason)) {
        return false;
    }
    reason.clear();
    return true;
}

}  // namespace vel
