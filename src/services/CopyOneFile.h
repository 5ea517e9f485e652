#pragma once
// Copying one file with patience: a copy that fails (the file is busy, the share is briefly
// away) is tried again once a second before the person is told.
#include <QString>
#include <functional>

namespace vel {

constexpr int CopyRetries = 15;

// The wait between two attempts, in seconds (1); WaitSeconds unless a test replaces it.
using WaitFunction = std::function<void(int seconds)>;
// Replaces the wait and returns the previous one; an empty function restores WaitSeconds.
WaitFunction setCopyRetryWait(WaitFunction wait);

// Copies source over destination (see copyFileReplacing). A failed copy is retried up to
// CopyRetries times, one second apart, with events processed while waiting. After the last
// failure shows "Error copying file SOURCE to DESTINATION  Error: CODE (TEXT)" with caption
// "Velmor" and the exclamation icon (unless silent: a job that must show nothing), and returns
// false. True when the file was copied.
bool CopyOneFile(const QString& source, const QString& destination, bool silent = false);

}  // namespace vel
