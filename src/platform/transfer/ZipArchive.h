#pragma once
// Zip packing and unpacking with libzip. Unpacking (ZipExtraction) refuses any entry whose name
// could write outside the target folder (empty, absolute, with a drive letter or a ".." part),
// any entry stored as a link, unexpected names and archives beyond the size limits; it writes
// into a temporary folder and moves the files into place only when every entry came out whole.
// Packed archives are readable by their owner alone unless the caller shares them.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vel {

struct ZipResult {
    bool ok = false;
    QString error;      // names the archive or entry and the problem
    QStringList files;  // the files written or packed
};

// One file to pack and the name it takes in the archive ("LOGS/L0312.txt").
struct ZipEntry {
    QString file;
    QString name;
};

// What an archive may unpack to. The defaults suit any archive; a caller that knows what an
// archive holds names the entries and narrows the sizes.
struct ZipLimits {
    QStringList names;  // the only entry names allowed, in any letter case; empty: any safe name
    qint64 maximumTotalSize = qint64(2) << 30;  // bytes unpacked, all entries together
    // An entry larger than ratioFloor may unpack to at most maximumRatio times its packed size.
    qint64 maximumRatio = 1000;
    qint64 ratioFloor = qint64(1) << 20;
};

// Who may read a packed archive: its owner alone (backups, which hold pay and personal data),
// or whoever the process's umask lets (files other systems pick up).
enum class ZipAccess { OwnerOnly, Shared };

class ZipArchive {
  public:
    // Told the share of the archive written so far, 0 to 100.
    using Progress = std::function<void(int percent)>;

    // Unpacks every entry of the archive into the folder (created when missing), all or nothing.
    static ZipResult extractAll(const QString& archivePath, const QString& folder,
                                const ZipLimits& limits = {});
    // Packs the files (stored under their file names) into a new archive, replacing it.
    static ZipResult pack(const QStringList& files, const QString& archivePath,
                          ZipAccess access = ZipAccess::OwnerOnly);
    // Deflate levels: 0 stores the files as they are, 9 packs tightest and slowest; 6 is the
    // level the zip command uses unless told otherwise.
    static constexpr int defaultCompressionLevel = 6;

    // Packs the files under the given entry names into a new archive, replacing it; the archive
    // is written under a temporary name and renamed, so a failure leaves any old one as it was.
    // An empty list makes a valid archive without entries.
    static ZipResult pack(const QList<ZipEntry>& entries, const QString& archivePath,
                          const Progress& progress = {}, ZipAccess access = ZipAccess::OwnerOnly,
                          int compressionLevel = defaultCompressionLevel);
    // The entry names of an archive, in the archive's order (in files).
    static ZipResult entryNames(const QString& archivePath);
    // Whether an entry name is safe to unpack: not empty, not absolute, no drive letter, no "..".
    static bool isSafeEntryName(const QString& name);
};

}  // namespace vel
