#pragma once
// The check for a newer corporate associate file, run before the associate editor opens: a
// corporate system publishes its associates as CORPASSOC.CSV in the corporate folder, and a
// member system takes the file when its date and time are later than settings "Corporate" /
// "LastAssocDate" ("YYYY/MM/DD HH:MM:SS", "0" when none was taken).
//
// The import itself is a function object handed in (AssociateImport); it runs with the associate
// table open and held for modification, and when it succeeds LastAssocDate becomes the file's
// date and time. Without an import, a newer file is reported as not available yet.
#include <QDateTime>
#include <QString>
#include <functional>

namespace vel {

class VelmorSystem;

class CorpAssocCheck {
  public:
    // Imports the file (its full path); true when it was imported.
    using AssociateImport = std::function<bool(const QString& file)>;

    static constexpr QLatin1StringView FileName{"CORPASSOC.CSV"};

    explicit CorpAssocCheck(VelmorSystem& system, AssociateImport import = {});

    // The corporate file when there is one in the corporate folder, else empty.
    QString corporateFile() const;
    // Whether the file is later than the last one taken.
    bool isNewer(const QString& file) const;
    // The whole check; true when a newer file was imported.
    bool run();

    static QDateTime lastTaken(const QString& setting);  // invalid when none

  private:
    QDateTime fileTime(const QString& file) const;
    QString readLastAssocDate() const;
    bool importHeld(const QString& file);

    VelmorSystem& system_;
    AssociateImport import_;
};

}  // namespace vel
