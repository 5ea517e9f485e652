#pragma once
#include <QString>

namespace vel {

// True when the path names an existing file, whether or not it can be opened (a file of mode
// 000 or one in use by others exists); false for a folder, a missing path or an empty text.
bool FileExists(const QString& path);

}  // namespace vel
