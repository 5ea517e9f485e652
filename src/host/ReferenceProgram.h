#pragma once
// The reference host's program object: title "Velmor", the help file, the data folder and the
// system number, and the error reporter.
#include "data/ProgramObject.h"
#include "host/RecordingErrorReporter.h"

namespace vel {

class ReferenceProgram : public ProgramObject {
  public:
    ReferenceProgram(QString dataFolder, int systemNumber);

    QString title() const override { return QStringLiteral("Velmor"); }
    QString helpFile() const override;
    QString dataFolder() const override { return dataFolder_; }
    int systemNumber() const override { return systemNumber_; }
    ErrorReporter& errorReporter() override { return reporter_; }
    void showHelp(int context) override;

    RecordingErrorReporter& recordingReporter() { return reporter_; }

  private:
    QString dataFolder_;
    int systemNumber_;
    RecordingErrorReporter reporter_;
};

}  // namespace vel
