#pragma once
#include <QString>

namespace vel {

// Returns the folder with a trailing separator, unless it is empty or already ends in a
// separator ("/" or "\") or a drive colon ("C:"), so that a file name can be appended directly.
inline QString AddSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\') ||
        folder.endsWith(u':')) {
        return folder;
    }
    return folder + u'/';
}

}  // namespace vel
