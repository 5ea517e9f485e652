#pragma once
// Runs a script: calls of the command class's operations, the actions a person takes in each
// window those calls show, and the answers they give to messages (docs/scripts.md). The whole
// script is read first, so a script with a mistake in it runs nothing. Everything shown goes to
// the headless Ui's transcript, with a "result: VALUE" line after each call.
#include <QString>
#include <QStringList>

namespace vel {

class CVelUI;
class HeadlessUi;
class VelmorSystem;

class ScriptRunner {
public:
    ScriptRunner(HeadlessUi& ui, CVelUI& component, VelmorSystem& system, quintptr owner = 0);

    // True when the script was valid, every call could be made, and nothing failed (no window
    // without actions, no message without an answer, no expectation missed).
    bool run(const QString& script);
    // Mistakes in the script and expectations not met, with their line numbers.
    const QStringList& errors() const { return errors_; }

private:
    HeadlessUi& ui_;
    CVelUI& component_;
    VelmorSystem& system_;
    quintptr owner_;
    QStringList errors_;
};

}  // namespace vel
