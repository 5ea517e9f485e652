#pragma once
// Where the posted sums of the recorded work live and how they are kept up to date with the
// production-sheet lines. In the data folder:
//   TBTLIDX.--N        the index: "Generation=" the current folder's number and "Posted=" the
//                      highest line record number posted (two lines of text);
//   TBTALLY<g>.--N/    the folder of generation g: one TallyWeek file per week with lines,
//                      named W + the Sunday as yyyyMMdd;
//   TBTLLCK.--N        the lock file: every writer holds an exclusive lock on it.
// Each file is written whole to a temporary file and renamed over the old one, so a reader sees
// a week before or after a posting, never half of one. Lines are appended to the lines file
// before they are posted; a line whose posting a kill interrupted is posted by the next reader
// or writer (each week file says which lines it holds, so nothing is posted twice). A rebuild
// writes a new generation and switches the index to it in one rename.
#include "data/RecordedWork.h"
#include "host/ProductionLineFile.h"
#include "host/TallyWeek.h"

#include <QList>
#include <QString>
#include <functional>

namespace vel {

class PostingRules;

class TallyStore {
  public:
    struct Index {
        int generation = 1;
        qint64 posted = 0;
    };
    // Told the progress of a rebuild in percent.
    using Progress = std::function<void(int percent)>;

    TallyStore(const QString& dataFolder, int systemNumber);

    ProductionLineFile& lines() { return lines_; }
    QString lastError() const { return lastError_; }

    // Whether every line of the lines file is posted (false too when a file cannot be read).
    bool isUpToDate();
    // Posts the lines not yet posted; false when a file could not be read or written.
    bool bringUpToDate(const PostingRules& rules);
    // Appends the lines and posts them; false (nothing appended) when they could not be written.
    bool addLines(const std::vector<ProductionLineRecord>& lines, const PostingRules& rules);
    // Posts every line again into a new generation and switches to it; false leaves the
    // current sums as they were.
    bool rebuild(const PostingRules& rules, const Progress& progress);

    // Drops every posted sum after the lines changed in place: the next reader or writer posts
    // every line again. False when the index could not be written.
    bool invalidate();

    // The weeks with posted sums (their Sundays), ascending, of the current generation.
    QList<QDate> weeks();
    QString weekPath(const QDate& ending);
    // Reads one whole week; false with lastError() when it cannot be read.
    bool readWeek(const QDate& ending, TallyWeek& week);

    QString indexPath() const;
    QString generationFolder(int generation) const;

  private:
    class Lock;
    bool readIndex(Index& index);
    bool writeIndex(const Index& index);
    bool writeWeek(const QString& folder, const TallyWeek& week);
    // Posts the lines of the record numbers after index.posted into the index's generation.
    bool postFrom(Index& index, const PostingRules& rules, const Progress& progress);
    bool rebuildLocked(Index& index, const PostingRules& rules, const Progress& progress);
    QString lockPath() const;
    bool fail(const QString& message);
    // Another workstation holds the Tallybooks' lock file: fails with the message that says so.
    bool lockRefused();

    QString dataFolder_;
    int systemNumber_;
    ProductionLineFile lines_;
    Index current_;
    QString lastError_;
};

}  // namespace vel
