#pragma once
// Copy, move or delete a list of files and folders in one operation, as a file manager does:
// wildcards in a source name, an optional question first, progress on the status display, and
// deletion to the Trash so that a person can take a file back.
#include <QString>
#include <QStringList>
#include <cerrno>

namespace vel {

enum ShellFileOperation { FO_MOVE = 1, FO_COPY = 2, FO_DELETE = 3 };

// The result when the person answered No to the question: nothing was done, nothing shown.
constexpr int ShellFileOpCancelled = ECANCELED;

// Runs one operation over the source names (empty names are skipped).
// - A "*" or "?" in a source's file name expands to the matching FILES of its folder (never
//   sub-folders), matched case-insensitively; a mask ending in "." ("TBRL*.") matches names
//   without an extension. A mask that matches nothing adds nothing.
// - Copy and move: the destination is a folder when it is one, or when there are several
//   sources or a wildcard (then it is created); else it is the new name of the one source.
//   Existing files there are replaced; a folder source is copied or moved whole.
// - Delete sends every source to the freedesktop Trash; the destination is not used.
// - confirm asks the person first (Yes/No); No does nothing and returns ShellFileOpCancelled.
// - showProgress reports on the status display: the progress title (simpleProgress) or the
//   name of each entry as it is handled, and the percentage done.
// Stops at the first failure, shows the system error code in a message box and returns it;
// returns 0 when every source was handled.
int ShellFileOp(const QStringList& from, const QString& to, int operation, bool confirm = false,
                bool showProgress = false, const QString& progressTitle = {},
                bool simpleProgress = true);

}  // namespace vel
