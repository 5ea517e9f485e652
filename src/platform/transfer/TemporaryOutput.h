#pragma once
// A temporary file name beside an output's target, for libraries that open files by name:
// the output is written there and renamed over the target only when it is complete, so that a
// failure never leaves a half-written file under the target's name.
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

private:
    QString targetPath_;
    QString temporaryPath_;
};

}  // namespace vel
