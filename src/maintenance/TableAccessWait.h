#pragma once
// Taking a family of tables for changes when another workstation may hold it. A person at an
// import is told at once and tries again later; an import that a scheduler runs has nobody to
// try again, so it waits a bounded time for its turn (the time a save waits for a file lock),
// saying so in the status display, which offers Cancel.
#include <QString>

namespace vel {

class VelmorSystem;

// Takes the tables of the access code ("A", "AO") for changes. When another workstation holds
// them and waitSeconds is above 0, tries again once a second for up to that long, showing
// "Waiting for the <table> Table: ..." in the status display. False when they did not come
// free in time or the person pressed Cancel; the caller ends the access either way.
bool takeTablesForChanges(VelmorSystem& system, const QString& accessCode, const QString& tableName,
                          int waitSeconds);

// How long an unattended import waits for its tables: "ImportFiles"/"TableWaitSeconds", 30
// when not set; 0 stops at once.
int unattendedTableWaitSeconds(VelmorSystem& system);

constexpr int defaultTableWaitSeconds = 30;

}  // namespace vel
