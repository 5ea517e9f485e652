#include "services/FileExists.h"

#include <sys/stat.h>
#include <QFile>
#include <cerrno>

namespace vel {

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        // Too large to describe in this build's stat: the entry is there all the same.
        return errno == EOVERFLOW;
    }
    return !S_ISDIR(status.st_mode);
}

}  // namespace vel
