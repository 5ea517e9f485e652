#pragma once
// The named fields of a record type. Each record struct lists its fields once, by the property
// names the change log and the exports use ("Code", "Desc", "Badge3"); from that one list come the
// names of the settings a save changed, the host's storage columns and the table exports.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <array>
#include <functional>
#include <type_traits>
#include <vector>

namespace vel {

enum class FieldType { Text, Integer, Number, Boolean, Date, Time };

template <class Record>
struct Field {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;      // text: the most characters kept; numbers: the stored width
    int decimals = 0;  // numbers: digits after the point
    std::function<QVariant(const Record&)> read;
    std::function<void(Record&, const QVariant&)> write;
    // Whether the field differs between two records (see valuesDiffer), without variants.
    std::function<bool(const Record&, const Record&)> differs;
};

// Whether two values of a field differ as a person would see it: text ignores trailing blanks.
inline bool valuesDiffer(const QString& before, const QString& after) {
    const auto withoutTrailingBlanks = [](const QString& text) {
        QStringView view(text);
        while (!view.isEmpty() && view.back().isSpace()) {
            view.chop(1);
        }
        return view;
    };
    return withoutTrailingBlanks(before) != withoutTrailingBlanks(after);
}
template <class T>
bool valuesDiffer(const T& before, const T& after) {
    return before != after;
}

template <class Record>
using Fields = std::vector<Field<Record>>;

namespace detail {

template <class T>
constexpr FieldType fieldTypeOf() {
    if constexpr (std::is_same_v<T, QString>) {
        return FieldType::Text;
    } else if constexpr (std::is_same_v<T, bool>) {
        return FieldType::Boolean;
    } else if constexpr (std::is_integral_v<T>) {
        return FieldType::Integer;
    } else if constexpr (std::is_floating_point_v<T>) {
        return FieldType::Number;
    } else if constexpr (std::is_same_v<T, QDate>) {
        return FieldType::Date;
    } else {
        static_assert(std::is_same_v<T, QTime>, "unsupported field type");
        return FieldType::Time;
    }
}

template <class T>
T fromVariant(const QVariant& value) {
    return value.value<T>();
}

}  // namespace detail

// A field kept in a member of the record.
template <class Record, class T>
Field<Record> field(const QString& name, T Record::*member, int size = 0, int decimals = 0) {
    return {name, detail::fieldTypeOf<T>(), size, decimals,
            [member](const Record& record) { return QVariant::fromValue(record.*member); },
            [member](Record& record, const QVariant& value) {
                record.*member = detail::fromVariant<T>(value);
            },
            [member](const Record& before, const Record& after) {
                return valuesDiffer(before.*member, after.*member);
            }};
}

// One field per slot of an array member, named prefix + number: "Badge1" to "Badge10".
template <class Record, class T, size_t N>
void addArrayFields(Fields<Record>& fields, const QString& prefix,
                    std::array<T, N> Record::*member, int size = 0, int decimals = 0) {
    for (size_t slot = 0; slot < N; ++slot) {
        fields.push_back({prefix + QString::number(slot + 1), detail::fieldTypeOf<T>(), size,
                          decimals,
                          [member, slot](const Record& record) {
                              return QVariant::fromValue((record.*member)[slot]);
                          },
                          [member, slot](Record& record, const QVariant& value) {
                              (record.*member)[slot] = detail::fromVariant<T>(value);
                          },
                          [member, slot](const Record& before, const Record& after) {
                              return valuesDiffer((before.*member)[slot], (after.*member)[slot]);
                          }});
    }
}

// The same for values read as variants.
inline bool fieldValuesDiffer(FieldType type, const QVariant& before, const QVariant& after) {
    return type == FieldType::Text ? valuesDiffer(before.toString(), after.toString())
                                   : before != after;
}

// The names of the fields whose values differ, in the record's field order.
template <class Record>
QStringList changedFields(const Record& before, const Record& after) {
    QStringList names;
    for (const Field<Record>& entry : Record::fields()) {
        if (entry.differs ? entry.differs(before, after)
                          : fieldValuesDiffer(entry.type, entry.read(before), entry.read(after))) {
            names << entry.name;
        }
    }
    return names;
}

}  // namespace vel
