#pragma once
// A temporary file name beside an output's target, for libraries that open files by name:
// the output is written there and renamed over the target only when it is complete, so that a
// failure or a crash never leaves a half-written file under the target's name, and two writers
// of one target at once leave one whole file (the last one renamed).
//
// The name is hidden and random: ".TARGET.1f2e3d4c.tmp". A writer killed before its rename leaves
// its temporary file behind; the next output to the same target removes such files once they
// have not changed for an hour (no export runs that long without writing), so that they neither
// pile up nor meet a live writer's file.
#include <QRegularExpression>
#include <QString>

namespace vel {

class TemporaryOutput {
  public:
    TemporaryOutput() = default;
    ~TemporaryOutput();  // removes the temporary file unless it was committed
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // Reserves a new, unused name in the target's folder (and creates the empty file when
    // `create` is set, with the mode less the umask); throws ExportError (CreateFailed) naming
    // the target when the folder cannot take it.
    void reserve(const QString& targetPath, bool create = true, int mode = 0666);
    const QString& temporaryPath() const { return temporaryPath_; }
    const QString& targetPath() const { return targetPath_; }
    // Renames the temporary file over the target in one step; throws ExportError on failure.
    void commit();
    // Removes the temporary file; never throws.
    void discard() noexcept;
    // Takes every access for others (not owner, not group) from a file.
    static void withholdFromOthers(const QString& path);
    // Removes the files of the folder whose whole name matches and that have not changed for
    // staleSeconds: the leftovers of writers that died. Names that do not start with prefix are
    // passed over without trying the pattern. Returns how many were removed.
    static int removeStale(const QString& folder, const QRegularExpression& names,
                           qint64 staleSeconds = staleAfterSeconds, const QString& prefix = {});
    static constexpr qint64 staleAfterSeconds = 3600;

  private:
    QString targetPath_;
    QString temporaryPath_;
};

}  // namespace vel
