#include "host/TallyWeek.h"

#include "host/PostingRules.h"

#include <QFile>
#include <cstring>
#include <type_traits>

namespace vel {

namespace {

constexpr char magic[8] = {'V', 'T', 'A', 'L', 'L', 'Y', '0', '1'};
constexpr AccountLevel levelsInOrder[] = {AccountLevel::System, AccountLevel::WorkCenter,
                                          AccountLevel::Associate, AccountLevel::Allocation};

static_assert(sizeof(WorkFigures) == 14 * sizeof(double), "WorkFigures is 14 doubles");
static_assert(sizeof(FigureRecord) == 128 && std::is_trivially_copyable_v<FigureRecord>);
static_assert(sizeof(FieldRecord) == 24 && std::is_trivially_copyable_v<FieldRecord>);

template <class T>
void put(QByteArray& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

template <class T>
T take(const QByteArray& bytes, qint64 offset) {
    T value;
    std::memcpy(&value, bytes.constData() + offset, sizeof(T));
    return value;
}

qint64 julian(const QDate& date) {
    return date.isValid() ? date.toJulianDay() : 0;
}

QDate fromJulian(qint64 day) {
    return day == 0 ? QDate() : QDate::fromJulianDay(day);
}

qint64 recordSize(TallySection section) {
    return section == TallySection::Fields ? qint64(sizeof(FieldRecord))
                                           : qint64(sizeof(FigureRecord));
}

qint64 directoryOffset(int level, int section) {
    return 40 + (qint64(level) * TallyWeek::Sections + section) * 16;
}

}  // namespace

void TallyWeek::post(qint64 number, const ProductionLineRecord& line, const PostingRules& rules) {
    const WorkFigures figures = rules.figuresOf(line);
    const int day = line.Date.dayOfWeek();
    for (int index = 0; index < Levels; ++index) {
        const AccountLevel level = levelsInOrder[index];
        const int account = PostingRules::accountOf(line, level);
        if (account == 0) {
            continue;
        }
        Level& sums = levels_[size_t(index)];
        sums.week[{account, line.Activity, 0}] += figures;
        sums.days[{account, line.Activity, day}] += figures;
        rules.forEachPostedField(line, figures, level, [&](int field, double value) {
            sums.fields[{account, field, day}] += value;
        });
    }
    postedThrough_ = std::max(postedThrough_, number);
    firstDay_ = firstDay_.isValid() ? std::min(firstDay_, line.Date) : line.Date;
    lastDay_ = lastDay_.isValid() ? std::max(lastDay_, line.Date) : line.Date;
}

QByteArray TallyWeek::serialize() const {
    QByteArray bytes;
    bytes.append(magic, sizeof(magic));
    put(bytes, postedThrough_);
    put(bytes, julian(ending_));
    put(bytes, julian(firstDay_));
    put(bytes, julian(lastDay_));
    const qint64 directory = bytes.size();
    bytes.append(QByteArray(Levels * Sections * 16, '\0'));
    const auto record = [&](int level, int section, qint64 count) {
        const qint64 offset = bytes.size() - count * recordSize(TallySection(section));
        std::memcpy(bytes.data() + directory + (qint64(level) * Sections + section) * 16, &offset,
                    8);
        std::memcpy(bytes.data() + directory + (qint64(level) * Sections + section) * 16 + 8,
                    &count, 8);
    };
    for (int level = 0; level < Levels; ++level) {
        const Level& sums = levels_[size_t(level)];
        int section = 0;
        for (const auto* figures : {&sums.week, &sums.days}) {
            for (const auto& [key, value] : *figures) {
                put(bytes,
                    FigureRecord{std::get<0>(key), std::get<1>(key), std::get<2>(key), 0, value});
            }
            record(level, section++, qint64(figures->size()));
        }
        for (const auto& [key, value] : sums.fields) {
            put(bytes, FieldRecord{std::get<0>(key), std::get<1>(key), std::get<2>(key), 0, value});
        }
        record(level, section, qint64(sums.fields.size()));
    }
    return bytes;
}

bool TallyWeek::parse(const QByteArray& bytes, QString* error) {
    if (bytes.size() < headerSize || std::memcmp(bytes.constData(), magic, sizeof(magic)) != 0) {
        *error = QStringLiteral("is not a Tallybook week file");
        return false;
    }
    postedThrough_ = take<qint64>(bytes, 8);
    ending_ = fromJulian(take<qint64>(bytes, 16));
    firstDay_ = fromJulian(take<qint64>(bytes, 24));
    lastDay_ = fromJulian(take<qint64>(bytes, 32));
    for (int level = 0; level < Levels; ++level) {
        Level& sums = levels_[size_t(level)];
        sums = Level{};
        for (int section = 0; section < Sections; ++section) {
            const qint64 offset = take<qint64>(bytes, directoryOffset(level, section));
            const qint64 count = take<qint64>(bytes, directoryOffset(level, section) + 8);
            const qint64 size = recordSize(TallySection(section));
            if (offset < headerSize || count < 0 || offset + count * size > bytes.size()) {
                *error = QStringLiteral("is cut short or damaged");
                return false;
            }
            for (qint64 index = 0; index < count; ++index) {
                const qint64 at = offset + index * size;
                if (section == int(TallySection::Fields)) {
                    const auto field = take<FieldRecord>(bytes, at);
                    sums.fields[{field.account, field.field, field.day}] = field.value;
                } else {
                    const auto figure = take<FigureRecord>(bytes, at);
                    auto& target = section == int(TallySection::Week) ? sums.week : sums.days;
                    target[{figure.account, figure.activity, figure.day}] = figure.figures;
                }
            }
        }
    }
    return true;
}

bool TallyWeek::readSection(const QString& path, AccountLevel level, TallySection section,
                            QByteArray* records, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray header = file.read(headerSize);
    if (header.size() < headerSize || std::memcmp(header.constData(), magic, sizeof(magic)) != 0) {
        *error = QStringLiteral("is not a Tallybook week file");
        return false;
    }
    const qint64 entry = directoryOffset(int(level) - 1, int(section));
    const qint64 offset = take<qint64>(header, entry);
    const qint64 count = take<qint64>(header, entry + 8);
    const qint64 size = count * recordSize(section);
    if (offset < headerSize || count < 0 || offset + size > file.size() || !file.seek(offset)) {
        *error = QStringLiteral("is cut short or damaged");
        return false;
    }
    *records = file.read(size);
    if (records->size() != size) {
        *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace vel
