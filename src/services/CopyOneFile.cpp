#include "services/CopyOneFile.h"

#include "services/FileCopy.h"
#include "services/MessageWithSound.h"
#include "services/WaitSeconds.h"

#include <utility>

namespace vel {

namespace {
WaitFunction installedWait;
}

WaitFunction setCopyRetryWait(WaitFunction wait) {
    return std::exchange(installedWait, std::move(wait));
}

bool CopyOneFile(const QString& source, const QString& destination, bool silent) {
    int error = copyFileReplacing(source, destination);
    for (int retry = 1; error != 0 && retry <= CopyRetries; ++retry) {
        installedWait ? installedWait(1) : WaitSeconds(1);
        error = copyFileReplacing(source, destination);
    }
    if (error == 0 || silent) {
        return error == 0;
    }
    MessageWithSound(QStringLiteral("Error copying file ") + source + QStringLiteral(" to ") +
                         destination + QStringLiteral("  Error: ") + systemErrorText(error),
                     MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
    return false;
}

}  // namespace vel
