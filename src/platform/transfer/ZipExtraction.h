#pragma once
// Unpacking a zip archive without trusting it. Before anything is written every entry is
// checked: its name must be safe (no absolute path, drive letter or ".." part), not a stored
// link, one of the expected names when the caller gives them, and the archive must stay within
// the size limits (a zip bomb: too much in total, or an entry many times larger than packed).
// The entries are then unpacked into a temporary folder inside the target folder, counting the
// bytes really produced against the same limits, and moved into place only when every entry
// came out whole. A name that would be written through a symbolic link already in the target
// folder is refused. Messages name the archive, the entry and libzip's reason ("CRC error").
#include "platform/transfer/ZipArchive.h"

namespace vel {

// libzip's words for an error code of zip_open ("Not a zip archive").
QString zipErrorText(int errorCode);

ZipResult extractZip(const QString& archivePath, const QString& folder, const ZipLimits& limits);

}  // namespace vel
