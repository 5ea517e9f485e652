#pragma once
// GalleryDemo: the demo command. On the desktop it shows the control gallery as a dialog;
// headless it drives the gallery with a short script and writes the transcript of what a person
// would have seen, followed by the values the window ended with.
#include <QStringList>

class QTextStream;

namespace vel {

class GalleryDemo {
public:
    // Both return the program's exit code; the desktop run needs a QApplication, the headless
    // run a QCoreApplication at least.
    static int runOnDesktop();
    static int runHeadless(QTextStream& out);
    // The headless run's lines, for tests.
    static QStringList headlessTranscript(bool* failed = nullptr);
};

}  // namespace vel
