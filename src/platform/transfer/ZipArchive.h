#pragma once
// Zip packing and unpacking with libzip. Unpacking refuses any entry whose name could write
// outside the target folder (empty, absolute, with a drive letter or a ".." part) and any entry
// stored as a link; each file is written to a temporary name and renamed into place.
#include <QString>
#include <QStringList>

namespace vel {

struct ZipResult {
    bool ok = false;
    QString error;  // names the archive or entry and the problem
    QStringList files;  // the files written or packed
};

class ZipArchive {
public:
    // Unpacks every entry of the archive into the folder (created when missing).
    static ZipResult extractAll(const QString& archivePath, const QString& folder);
    // Packs the files (stored under their file names) into a new archive, replacing it.
    static ZipResult pack(const QStringList& files, const QString& archivePath);
    // Whether an entry name is safe to unpack: not empty, not absolute, no drive letter, no "..".
    static bool isSafeEntryName(const QString& name);
};

}  // namespace vel
