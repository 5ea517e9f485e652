#include "host/TallyStore.h"

#include "data/TableCatalogue.h"
#include "host/PostingRules.h"
#include "host/SystemTables.h"
#include "services/AddSlash.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <map>

namespace vel {

namespace {

const QString weekPrefix = QStringLiteral("W");
const QString weekFormat = QStringLiteral("yyyyMMdd");

}  // namespace

// An exclusive lock on the lock file for as long as the object lives; it waits for the
// writer that holds it.
class TallyStore::Lock {
  public:
    explicit Lock(const QString& path) {
        descriptor_ =
            ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0664);
        locked_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX) == 0;
    }
    ~Lock() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool locked() const { return locked_; }

  private:
    int descriptor_ = -1;
    bool locked_ = false;
};

TallyStore::TallyStore(const QString& dataFolder, int systemNumber)
    : dataFolder_(dataFolder),
      systemNumber_(systemNumber),
      lines_(TableCatalogue(dataFolder, systemNumber).path(hostFiles::productionLines)) {}

bool TallyStore::fail(const QString& message) {
    lastError_ = message;
    return false;
}

bool TallyStore::lockRefused() {
    return fail(QStringLiteral("Cannot lock the Tallybooks of system ") +
                QString::number(systemNumber_));
}

QString TallyStore::indexPath() const {
    return TableCatalogue(dataFolder_, systemNumber_).path(QStringLiteral("TBTLIDX.--"));
}

QString TallyStore::generationFolder(int generation) const {
    return TableCatalogue(dataFolder_, systemNumber_)
        .path(QStringLiteral("TBTALLY") + QString::number(generation) + QStringLiteral(".--"));
}

QString TallyStore::weekPath(const QDate& ending) {
    return AddSlash(generationFolder(current_.generation)) + weekPrefix +
           ending.toString(weekFormat);
}

bool TallyStore::readIndex(Index& index) {
    index = Index{};
    QFile file(indexPath());
    if (!file.exists()) {
        current_ = index;
        return true;  // nothing posted yet
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(file.fileName() + QStringLiteral(": ") + file.errorString());
    }
    bool sound = true;
    for (const QByteArray& line : file.readAll().split('\n')) {
        bool number = true;
        if (line.startsWith("Generation=")) {
            index.generation = line.mid(11).trimmed().toInt(&number);
        } else if (line.startsWith("Posted=")) {
            index.posted = line.mid(7).trimmed().toLongLong(&number);
        }
        sound = sound && number;
    }
    if (!sound || index.generation < 1 || index.posted < 0) {
        return fail(file.fileName() + QStringLiteral(": the index of the Tallybooks is damaged"));
    }
    // A data folder copied without the sums' folder (a backup holds the files only): every line
    // is posted again.
    if (!QDir(generationFolder(index.generation)).exists()) {
        index.posted = 0;
    }
    current_ = index;
    return true;
}

bool TallyStore::writeIndex(const Index& index) {
    QSaveFile file(indexPath());
    const QByteArray text = "Generation=" + QByteArray::number(index.generation) +
                            "\nPosted=" + QByteArray::number(index.posted) + "\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        return fail(file.fileName() + QStringLiteral(": ") + file.errorString());
    }
    current_ = index;
    return true;
}

bool TallyStore::writeWeek(const QString& folder, const TallyWeek& week) {
    QSaveFile file(AddSlash(folder) + weekPrefix + week.ending().toString(weekFormat));
    const QByteArray bytes = week.serialize();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return fail(file.fileName() + QStringLiteral(": ") + file.errorString());
    }
    return true;
}

QList<QDate> TallyStore::weeks() {
    QList<QDate> endings;
    Index index;
    if (!readIndex(index)) {
        return endings;
    }
    const QStringList names =
        QDir(generationFolder(index.generation))
            .entryList({weekPrefix + QStringLiteral("????????")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const QDate ending = QDate::fromString(name.mid(1), weekFormat);
        if (ending.isValid()) {
            endings << ending;
        }
    }
    return endings;
}

bool TallyStore::readWeek(const QDate& ending, TallyWeek& week) {
    QFile file(weekPath(ending));
    if (!file.exists()) {
        week = TallyWeek(ending);
        return true;
    }
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !week.parse(file.readAll(), &error)) {
        return fail(file.fileName() + QStringLiteral(": ") +
                    (error.isEmpty() ? file.errorString() : error));
    }
    return true;
}

bool TallyStore::postFrom(Index& index, const PostingRules& rules, const Progress& progress) {
    // The lines not yet posted, by week.
    std::map<QDate, std::vector<std::pair<qint64, ProductionLineRecord>>> byWeek;
    qint64 last = index.posted;
    const bool read = lines_.read(
        index.posted + 1,
        [&](qint64 number, const ProductionLineRecord& line) {
            if (line.Date.isValid()) {
                byWeek[TallyWeek::endingOf(line.Date)].emplace_back(number, line);
            }
            return true;
        },
        &last);
    if (!read) {
        return fail(lines_.lastError());
    }
    const QString folder = generationFolder(index.generation);
    if (!QDir().mkpath(folder)) {
        return fail(QStringLiteral("Cannot create the folder ") + folder);
    }
    size_t done = 0;
    for (auto& [ending, lines] : byWeek) {
        TallyWeek week;
        if (!readWeek(ending, week)) {
            return false;
        }
        const qint64 already = week.postedThrough();
        for (const auto& [number, line] : lines) {
            if (number > already) {
                week.post(number, line, rules);
            }
        }
        lines.clear();
        lines.shrink_to_fit();
        if (!writeWeek(folder, week)) {
            return false;
        }
        if (progress) {
            progress(int(++done * 100 / byWeek.size()));
        }
    }
    index.posted = last;
    return writeIndex(index);
}

bool TallyStore::isUpToDate() {
    Index index;
    return readIndex(index) && lines_.recordCount() == index.posted;
}

bool TallyStore::bringUpToDate(const PostingRules& rules) {
    Index index;
    const qint64 count = lines_.recordCount();
    if (count < 0) {
        return fail(lines_.lastError());
    }
    if (!readIndex(index)) {
        return false;
    }
    if (count == index.posted) {
        return true;
    }
    Lock lock(lockPath());
    if (!lock.locked()) {
        return lockRefused();
    }
    if (!readIndex(index)) {
        return false;
    }
    if (lines_.recordCount() < index.posted) {
        // Lines were taken out of the file (a pack): post everything again.
        return rebuildLocked(index, rules, {});
    }
    return postFrom(index, rules, {});
}

QString TallyStore::lockPath() const {
    return TableCatalogue(dataFolder_, systemNumber_).path(QStringLiteral("TBTLLCK.--"));
}

bool TallyStore::addLines(const std::vector<ProductionLineRecord>& lines,
                          const PostingRules& rules) {
    Lock lock(lockPath());
    if (!lock.locked()) {
        return lockRefused();
    }
    Index index;
    if (!readIndex(index) || !postFrom(index, rules, {})) {
        return false;
    }
    if (lines_.append(lines) == 0) {
        return fail(lines_.lastError());
    }
    return postFrom(index, rules, {});
}

bool TallyStore::rebuild(const PostingRules& rules, const Progress& progress) {
    Lock lock(lockPath());
    if (!lock.locked()) {
        return lockRefused();
    }
    Index index;
    return readIndex(index) && rebuildLocked(index, rules, progress);
}

bool TallyStore::rebuildLocked(Index& index, const PostingRules& rules, const Progress& progress) {
    const int previous = index.generation;
    Index fresh{previous + 1, 0};
    QDir folder(generationFolder(fresh.generation));
    if (folder.exists() && !folder.removeRecursively()) {
        return fail(QStringLiteral("Cannot remove the folder ") + folder.path());
    }
    // The week files go to the new folder; the index switches to it when every week is there.
    current_ = fresh;
    if (!postFrom(fresh, rules, progress)) {
        const QString error = lastError_;
        folder.removeRecursively();
        current_ = index;
        return fail(error);
    }
    index = fresh;
    QDir(generationFolder(previous)).removeRecursively();
    return true;
}

bool TallyStore::invalidate() {
    Lock lock(lockPath());
    if (!lock.locked()) {
        return lockRefused();
    }
    Index index;
    if (!readIndex(index)) {
        return false;
    }
    const Index fresh{index.generation + 1, 0};
    QDir folder(generationFolder(fresh.generation));
    if (folder.exists() && !folder.removeRecursively()) {
        return fail(QStringLiteral("Cannot remove the folder ") + folder.path());
    }
    if (!writeIndex(fresh)) {
        return false;
    }
    QDir(generationFolder(index.generation)).removeRecursively();
    return true;
}

}  // namespace vel
