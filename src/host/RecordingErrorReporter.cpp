#include "host/RecordingErrorReporter.h"

#include <cstdio>

namespace vel {

void RecordingErrorReporter::report(const QString& text, int number, bool fromComponent) {
    reports_.append({text, number, fromComponent});
    if (echo_) {
        std::fprintf(stderr, "Velmor error %d: %s\n", number, text.toLocal8Bit().constData());
    }
}

bool RecordingErrorReporter::mentions(const QString& text) const {
    for (const ErrorReportEntry& entry : reports_) {
        if (entry.text.contains(text)) {
            return true;
        }
    }
    return false;
}

}  // namespace vel
