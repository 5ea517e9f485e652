#include "host/DemoSite.h"

#include "host/DemoSiteBuilder.h"
#include "host/ReferenceReportModule.h"
#include "services/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    // Room for the fields of every activity and element and the quality fields of every type
    // of work and mistake, with some to spare for the person trying the editors.
    settings.fields = 600;
    if (!ReferenceSystem::createEmptySystem(folder, 1, settings, &reason)) {
        return false;
    }
    // Marked at once, so that a demo site whose filling fails can still be replaced.
    QFile marker(QDir(folder).filePath(demoSiteMarker));
    if (!marker.open(QIODevice::WriteOnly) ||
        marker.write("This folder holds a Velmor demo site. \"velmor new-demo\" and \"velmor "
                     "demo\" replace it,\nwith every file in it, by a fresh one.\n") < 0 ||
        !marker.flush()) {
        reason = QStringLiteral("Cannot write ") + marker.fileName();
        return false;
    }
    marker.close();
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

DemoFolder demoFolderState(const QString& folder, QString* reason) {
    const QFileInfo info(folder);
    if (!info.exists()) {
        return DemoFolder::Empty;
    }
    QString ignored;
    QString& why = reason != nullptr ? *reason : ignored;
    if (!info.isDir() || info.isSymLink()) {
        why = folder + QStringLiteral(" is not a folder");
        return DemoFolder::Refused;
    }
    const QDir directory(folder);
    if (directory.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        return DemoFolder::Empty;
    }
    if (QFileInfo(directory.filePath(demoSiteMarker)).isFile()) {
        return DemoFolder::EarlierDemoSite;
    }
    why = QStringLiteral("the folder ") + folder +
          QStringLiteral(
              " is not empty and holds no demo site; a demo site is made only in a new "
              "or empty folder, or over an earlier demo site. Nothing was changed.");
    return DemoFolder::Refused;
}

}  // namespace vel
