#include "app/velmor/DemoSiteRun.h"

#include "host/DemoSite.h"

#include <QDir>
#include <QStandardPaths>

namespace vel {

QString defaultDemoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velmor/demo-site");
}

bool makeFreshDemoSite(const QString& folder, bool large, QString* error) {
    const DemoFolder state = demoFolderState(folder, error);
    if (state == DemoFolder::Refused) {
        return false;
    }
    if (state == DemoFolder::EarlierDemoSite && !QDir(folder).removeRecursively()) {
        *error = QStringLiteral("cannot remove the earlier demo site in ") + folder;
        return false;
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create the folder ") + folder;
        return false;
    }
    return createDemoSite(folder, large ? DemoSize::Large : DemoSize::Small, error);
}

QString headlessDemoScript(const QString& exportFolder) {
    return QStringLiteral(
        "# The headless demo: what this version offers, on the demo site.\n"
        "answer always \"is not available yet\" OK\n"
        "call CommandLineFlag\n"
        "call SetPrefillData DateRangeType=2 DataLevel=1 StartDate=2026/11/30 LastDate=2026/12/06 "
        "NumSequences=2 SeqType=1,2 SeqNum=5,6\n"
        "expect result True\n"
        "call EditSettings SettingType=13\n"
        "expect result \"error 5\"\n"
        "window TBEditForm\n  close\nend\n"
        "call EditMistakes\n"
        "answer \"The PPA Module must be Active\" OK\n"
        "call PrintAssocAccountability\n"
        "expect result False\n"
        "window frmEmployeeList\n  click SaveButtons1(0)\nend\n"
        "call PrintAssocHist\n"
        "expect result False\n"
        "answer \"The following files have been created\" OK\n"
        "call ExportTables OutputType=CSV OutputFolder=\"%1\"\n"
        "call WeekEndProcess\n"
        "window frmAddSys\n"
        "  set SysName \"Demo Site North\"\n"
        "  set SysParam(0) 2027\n"
        "  click Command1(2)\n  click Command1(2)\n  click Command1(2)\n"
        "  click Command1(2)\n"
        "end\n"
        "window frmPeriod\n"
        "  click Command1(2)\n  click Command1(2)\n  click Command1(2)\n"
        "end\n"
        "call CreateNewSystem\n"
        "expect result True\n")
        .arg(exportFolder);
}

}  // namespace vel
