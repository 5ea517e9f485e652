#pragma once
// Zip packing and unpacking with libzip. Unpacking refuses any entry whose name could write
// outside the target folder (empty, absolute, with a drive letter or a ".." part) and any entry
// stored as a link; each file is written to a temporary name and renamed into place.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vel {

struct ZipResult {
    bool ok = false;
    QString error;  // names the archive or entry and the problem
    QStringList files;  // the files written or packed
};

// One file to pack and the name it takes in the archive ("LOGS/L0312.txt").
struct ZipEntry {
    QString file;
    QString name;
};

class ZipArchive {
public:
    // Told the share of the archive written so far, 0 to 100.
    using Progress = std::function<void(int percent)>;

    // Unpacks every entry of the archive into the folder (created when missing).
    static ZipResult extractAll(const QString& archivePath, const QString& folder);
    // Packs the files (stored under their file names) into a new archive, replacing it.
    static ZipResult pack(const QStringList& files, const QString& archivePath);
    // Packs the files under the given entry names into a new archive, replacing it; the archive
    // is written under a temporary name and renamed, so a failure leaves any old one as it was.
    // An empty list makes a valid archive without entries.
    static ZipResult pack(const QList<ZipEntry>& entries, const QString& archivePath,
                          const Progress& progress = {});
    // The entry names of an archive, in the archive's order (in files).
    static ZipResult entryNames(const QString& archivePath);
    // Whether an entry name is safe to unpack: not empty, not absolute, no drive letter, no "..".
    static bool isSafeEntryName(const QString& name);
};

}  // namespace vel
