#pragma once
// The building blocks of the file services: copies that never leave a half-written
// destination, and the wording of a system error code in messages. Each copy returns 0 on
// success or the system error code (errno) of the first failure.
#include <QString>

namespace vel {

// Copies one file over the destination: the data go to a temporary file beside the destination
// (".NAME.XXXXXX"), which takes the source's permissions and modification time, is flushed to
// disk and then renamed onto the destination. On failure the destination is untouched and the
// temporary file removed.
int copyFileReplacing(const QString& source, const QString& destination);

// Copies a folder and everything below it into destination (created when missing); files that
// are there already are replaced. Stops at the first failure.
int copyFolderReplacing(const QString& source, const QString& destination);

// "2 (No such file or directory)": the number a person can quote, and what it means.
QString systemErrorText(int code);

}  // namespace vel
