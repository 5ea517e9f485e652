#include "maintenance/ImportFile.h"

#include "data/VelmorSystem.h"

namespace vel {

ImportFile::ImportFile(VelmorSystem& system, int rowsToSkip, int fieldsToSkip,
                       QString progressText)
    : system_(system), progressText_(std::move(progressText)),
      reader_({qMax(0, rowsToSkip), qMax(0, fieldsToSkip), 64 * 1024,
               [this](int percent) { system_.StatusPercent(percent); }}) {}

ImportFile::~ImportFile() {
    system_.StatusDone();
}

bool ImportFile::open(const QString& path) {
    system_.StatusText(QStringLiteral("Importing File"));
    if (!reader_.open(path).ok()) {
        return false;
    }
    system_.StatusText(progressText_);
    return true;
}

bool ImportFile::next(QStringList& fields) {
    if (stopped_ || !reader_.readRecord(fields)) {
        return false;
    }
    if (first_ && confirm_ && !confirm_(fields)) {
        stopped_ = true;
        return false;
    }
    first_ = false;
    return true;
}

qint64 ImportFile::unreadableLines() const {
    return reader_.skippedLongLines() + reader_.skippedBinaryLines();
}

QString ImportFile::error() const {
    const ReaderStatus& status = reader_.status();
    if (status.ok()) {
        return {};
    }
    const bool opening = status.code == ReaderErrorCode::NotFound ||
                         status.code == ReaderErrorCode::NotAFile ||
                         status.code == ReaderErrorCode::OpenFailed ||
                         status.code == ReaderErrorCode::NotText;
    return (opening ? QStringLiteral("Error opening import file. ")
                    : QStringLiteral("Error reading import file. ")) +
           status.message;
}

}  // namespace vel
