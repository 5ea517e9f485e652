#pragma once
// The runs without windows: one operation from the command line, or a script. Both print the
// transcript to standard output, one event a line, and answer with an exit code for unattended
// runs (cron): 0 when the run ended without an error report, 1 when an error was reported, a
// script expectation failed or a call showed a warning nobody could read, 2 for a system that
// cannot be opened.
#include "app/velmor/ProgramOptions.h"

#include <memory>

class QTextStream;

namespace vel {

class ReferenceSystem;

// Opens the system of the options' data folder; nullptr with the reason when there is none.
std::unique_ptr<ReferenceSystem> openSystem(const QString& dataFolder, int systemNumber,
                                            QString* error);

int runCall(const ProgramOptions& options, QTextStream& out, QTextStream& errors);
int runScript(const ProgramOptions& options, QTextStream& out, QTextStream& errors);
// Runs the script text against an open system (the headless demo uses it too); with printing,
// its print-outs go to PDF files as those options say.
int runScriptText(ReferenceSystem& system, short commandLineFlag, const QString& script,
                  QTextStream& out, QTextStream& errors, const ProgramOptions* printing = nullptr);

}  // namespace vel
