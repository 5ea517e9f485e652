#pragma once
// The posted sums of one week (Monday to Sunday) of recorded work, as one file of the Tallybook
// folder: per account level, the week's figures per account and activity, the day's figures per
// account and activity, and the day's data-field values per account and field; and the highest
// production-sheet line record number whose line of this week is in them.
//
// File layout (little-endian): "VTALLY01", postedThrough (int64), the Sunday, first and last
// day with lines (int64 Julian days, 0: none), then for each level (system, work center,
// associate, allocation) and section (week figures, day figures, data fields) its offset and
// record count (int64 each); then the records. Figure records: account, activity, day of the
// week (1 Monday to 7; 0 the whole week), 0 (int32 each), then the 14 figures of WorkFigures
// (double each) - 128 bytes. Data-field records: account, field, day of the week, 0 (int32
// each), the value (double) - 24 bytes. Records are sorted by their keys.
#include "data/RecordedWork.h"

#include <QByteArray>
#include <QDate>
#include <array>
#include <map>
#include <tuple>
#include <vector>

namespace vel {

class PostingRules;

struct FigureRecord {
    qint32 account = 0;
    qint32 activity = 0;
    qint32 day = 0;  // 1 Monday to 7 Sunday; 0: the whole week
    qint32 reserved = 0;
    WorkFigures figures;
};

struct FieldRecord {
    qint32 account = 0;
    qint32 field = 0;
    qint32 day = 0;
    qint32 reserved = 0;
    double value = 0.0;
};

enum class TallySection { Week = 0, Day = 1, Fields = 2 };

class TallyWeek {
  public:
    static constexpr int Levels = 4;
    static constexpr int Sections = 3;
    static constexpr qint64 headerSize = 8 + 4 * 8 + Levels * Sections * 16;

    explicit TallyWeek(const QDate& ending = {}) : ending_(ending) {}

    // The Sunday ending the week that holds the date.
    static QDate endingOf(const QDate& date) { return date.addDays(7 - date.dayOfWeek()); }

    const QDate& ending() const { return ending_; }
    qint64 postedThrough() const { return postedThrough_; }
    QDate firstDay() const { return firstDay_; }
    QDate lastDay() const { return lastDay_; }

    // Adds a line of this week (its record number above postedThrough) to every sum.
    void post(qint64 number, const ProductionLineRecord& line, const PostingRules& rules);
    bool isEmpty() const { return !firstDay_.isValid(); }

    QByteArray serialize() const;
    // Reads a whole file; false with the reason in error when it is not a sound week file.
    bool parse(const QByteArray& bytes, QString* error);
    // Reads one section of one level from an open file's bytes without parsing the rest.
    static bool readSection(const QString& path, AccountLevel level, TallySection section,
                            QByteArray* records, QString* error);

  private:
    using FigureKey = std::tuple<int, int, int>;  // account, activity, day
    using FieldKey = std::tuple<int, int, int>;   // account, field, day
    struct Level {
        std::map<FigureKey, WorkFigures> week;
        std::map<FigureKey, WorkFigures> days;
        std::map<FieldKey, double> fields;
    };

    QDate ending_;
    qint64 postedThrough_ = 0;
    QDate firstDay_;
    QDate lastDay_;
    std::array<Level, Levels> levels_;
};

}  // namespace vel
