#pragma once
// A demo site: a new system 1 in a data folder, filled with the master records and the recorded
// work of a realistic distribution center (a year on the small site, two years on the large
// one), so that the editors, lists and reports have something to show. The same size always gives the same site (a fixed seed), with
// the production dates counted back from the given day.
#include <QDate>
#include <QString>

namespace vel {

enum class DemoSize {
    Small,  // a site a person can browse: 8 work centers, 40 activities, 120 associates
    Large   // a site at the tables' limits: 99 work centers, 999 activities, 9,999 allocations
};

// Creates system 1 in folder (made when missing) and fills it; false with the reason in error.
// The production-sheet lines cover the weeks up to and including today. A folder that already
// holds system 1 is refused. The site is marked by demoSiteMarker.
bool createDemoSite(const QString& folder, DemoSize size, QString* error,
                    const QDate& today = QDate::currentDate());

// The file that marks a folder as a demo site, so that a later demo site may replace it.
inline const QString demoSiteMarker = QStringLiteral("DEMO-SITE.txt");

// What a fresh demo site would do to a folder: none (it does not exist or is empty), replace
// an earlier demo site (the folder holds demoSiteMarker), or nothing at all: any other folder
// may be a real site or hold a person's files, and is refused with the reason.
enum class DemoFolder { Empty, EarlierDemoSite, Refused };
DemoFolder demoFolderState(const QString& folder, QString* reason);

}  // namespace vel
