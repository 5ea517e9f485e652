#pragma once
// The rollback journal that makes a change of one or more tables all-or-nothing across a crash.
//
// Before a writer changes a table it adds the table's old state (the header prefix, the file
// size, the bytes after the last record and the old bytes of every record it will rewrite) to
// its journal and syncs it; then it writes the table. Removing the journal commits the change.
// The journal lives beside the tables as "<table>.<random>.jnl" and is write-locked by its
// writer for as long as the writer lives, so a journal that nobody locks is one whose writer
// died: whoever finds it (under the locks of its tables) puts every table back and removes it.
// A journal is only published (renamed from ".jnl.tmp") once its first part is synced; each
// part carries a checksum, so a part cut short by a crash belongs to a table not yet written.
//
// A journal can also carry renames (a pack's new table and indexes): once it is published the
// renames are finished by whoever recovers it, so the table and its indexes move together.
#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/LockPolicy.h"
#include "platform/xbase/Status.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vel::xbase {

// Everything needed to put a table's bytes back as they were.
struct TableImage {
    QString path;
    QByteArray prefix;      // bytes 0 to 31 of the header (date and record count)
    qint64 size = 0;        // the file size
    qint64 tailOffset = 0;  // the first byte after the last counted record
    QByteArray tail;        // the bytes from tailOffset to the end (the end mark, a torn append)
    std::vector<quint32> records;  // the numbers of the records about to be rewritten, ascending
    // Their old bytes, one record after the other in the order of records; empty when a
    // RecordReader gives them to the journal instead.
    QByteArray recordBytes;
    int recordLength = 0;
    qint64 headerLength = 0;
};

// Reads count stored records from number first on into `into` (count times the record length).
// Throws XbaseError.
using RecordReader = std::function<void(quint32 first, quint32 count, char* into)>;

class Journal {
  public:
    static constexpr const char* suffix = ".jnl";

    explicit Journal(FileOperations& operations = FileOperations::standard());
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    bool isActive() const { return file_ != nullptr; }
    // Adds a table's old state and syncs it; the first call creates and publishes the journal
    // beside the table. The old records come from image.recordBytes, or, when a reader is
    // given, from the reader a run at a time (so that they are never all in memory). Throws
    // XbaseError.
    void protect(const TableImage& image, const RecordReader& reader = {});
    // Adds renames (temporary file, its target) that recovery finishes. Throws XbaseError.
    void addRenames(const QString& folderOf, const std::vector<std::pair<QString, QString>>& moves);
    // The changes stand: removes the journal.
    void commit();
    // Puts back every table the journal protects (the old bytes read back from the journal
    // file), then removes it.
    Status rollback();
    // Lets go of the journal without removing it: the next recovery of its folder acts on it.
    void abandon();

    // Recovers every abandoned journal in the folder: tables are put back, renames finished.
    static Status recoverFolder(const QString& folder,
                                FileOperations& operations = FileOperations::standard(),
                                const LockPolicy& policy = LockPolicy::retry(300));
    // Whether the folder holds a journal that nobody writes any more.
    static bool hasAbandoned(const QString& folder,
                             FileOperations& operations = FileOperations::standard());

    // The parts of a journal's bytes that are complete (the images and the renames).
    struct Contents {
        std::vector<TableImage> images;
        std::vector<std::pair<QString, QString>> renames;
    };
    static Contents parse(const QByteArray& bytes);
    // Writes an image's bytes back into its table and syncs it. Throws XbaseError.
    static void restore(const TableImage& image, FileOperations& operations);

  private:
    class PartWriter;
    void append(qint64 length, const QString& besides,
                const std::function<void(PartWriter&)>& writeContent);
    void remove();

    FileOperations& operations_;
    std::unique_ptr<BinaryFile> file_;
    QString path_;
    qint64 end_ = 0;
    int protectedTables_ = 0;
};

}  // namespace vel::xbase
