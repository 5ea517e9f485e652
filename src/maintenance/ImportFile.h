#pragma once
// An import file read record by record under the system's status display: "Importing File"
// while it opens, then the progress text with the share of the file read.
#include "platform/transfer/DelimitedReader.h"

namespace vel {

class VelmorSystem;

class ImportFile {
  public:
    ImportFile(VelmorSystem& system, int rowsToSkip, int fieldsToSkip,
               QString progressText = QStringLiteral("Importing"));
    ~ImportFile();

    // False when the file cannot be opened; error() then says why, after "Error opening import
    // file. " as the person is told.
    bool open(const QString& path);
    // Shows the first record to the function before it is returned; a false answer ends the
    // reading there (stoppedByPerson() then tells).
    void confirmFirstRecordWith(std::function<bool(const QStringList&)> confirm) {
        confirm_ = std::move(confirm);
    }
    bool next(QStringList& fields);
    bool stoppedByPerson() const { return stopped_; }
    qint64 lineNumber() const { return reader_.lineNumber(); }
    // Lines passed over because they were too long or held binary bytes.
    qint64 unreadableLines() const;
    // Why opening failed or reading stopped before the end ("Error reading import file. ...");
    // empty after a complete read.
    QString error() const;

  private:
    VelmorSystem& system_;
    QString progressText_;
    DelimitedReader reader_;
    std::function<bool(const QStringList&)> confirm_;
    bool first_ = true;
    bool stopped_ = false;
};

}  // namespace vel
