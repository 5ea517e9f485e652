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
#include <cmath>
#include <functional>
#include <type_traits>
#include <vector>

namespace vel {

enum class FieldType { Text, Integer, Number, Boolean, Date, Time };

// A field's value handed over in its own type, without a variant between: a table's storage
// packs and unpacks records a field at a time through these.
class FieldValueSink {
  public:
    virtual void text(const QString& value) = 0;
    virtual void number(double value) = 0;  // integer and number fields
    virtual void boolean(bool value) = 0;
    virtual void date(const QDate& value) = 0;
    virtual void time(const QTime& value) = 0;

  protected:
    ~FieldValueSink() = default;
};
class FieldValueSource {
  public:
    virtual QString text() const = 0;
    virtual double number() const = 0;
    virtual bool boolean() const = 0;
    virtual QDate date() const = 0;
    virtual QTime time() const = 0;

  protected:
    ~FieldValueSource() = default;
};

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
    // The same value as read/write, in its own type.
    std::function<void(const Record&, FieldValueSink&)> put;
    std::function<void(Record&, const FieldValueSource&)> take;
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

template <class T>
void putValue(const T& value, FieldValueSink& sink) {
    if constexpr (std::is_same_v<T, QString>) {
        sink.text(value);
    } else if constexpr (std::is_same_v<T, bool>) {
        sink.boolean(value);
    } else if constexpr (std::is_arithmetic_v<T>) {
        sink.number(double(value));
    } else if constexpr (std::is_same_v<T, QDate>) {
        sink.date(value);
    } else {
        sink.time(value);
    }
}

// Whole-number fields take the stored number rounded, as their variants do.
template <class T>
T takeValue(const FieldValueSource& source) {
    if constexpr (std::is_same_v<T, QString>) {
        return source.text();
    } else if constexpr (std::is_same_v<T, bool>) {
        return source.boolean();
    } else if constexpr (std::is_integral_v<T>) {
        return T(std::llround(source.number()));
    } else if constexpr (std::is_floating_point_v<T>) {
        return T(source.number());
    } else if constexpr (std::is_same_v<T, QDate>) {
        return source.date();
    } else {
        return source.time();
    }
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
            },
            [member](const Record& record, FieldValueSink& sink) {
                detail::putValue(record.*member, sink);
            },
            [member](Record& record, const FieldValueSource& source) {
                record.*member = detail::takeValue<T>(source);
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
                          },
                          [member, slot](const Record& record, FieldValueSink& sink) {
                              detail::putValue((record.*member)[slot], sink);
                          },
                          [member, slot](Record& record, const FieldValueSource& source) {
                              (record.*member)[slot] = detail::takeValue<T>(source);
                          }});
    }
}

// A field's value handed over typed. A field made without put/take (one whose value is worked
// out, such as an activity slot's switches) goes through its variant, with the same result.
template <class Record>
void putField(const Field<Record>& entry, const Record& record, FieldValueSink& sink) {
    if (entry.put) {
        entry.put(record, sink);
        return;
    }
    const QVariant value = entry.read(record);
    switch (entry.type) {
        case FieldType::Text:
            sink.text(value.toString());
            return;
        case FieldType::Integer:
        case FieldType::Number:
            sink.number(value.toDouble());
            return;
        case FieldType::Boolean:
            sink.boolean(value.toBool());
            return;
        case FieldType::Date:
            sink.date(value.toDate());
            return;
        case FieldType::Time:
            sink.time(value.toTime());
            return;
    }
}
template <class Record>
void takeField(const Field<Record>& entry, Record& record, const FieldValueSource& source) {
    if (entry.take) {
        entry.take(record, source);
        return;
    }
    switch (entry.type) {
        case FieldType::Text:
            entry.write(record, source.text());
            return;
        case FieldType::Integer:
            entry.write(record, qlonglong(std::llround(source.number())));
            return;
        case FieldType::Number:
            entry.write(record, source.number());
            return;
        case FieldType::Boolean:
            entry.write(record, source.boolean());
            return;
        case FieldType::Date:
            entry.write(record, source.date());
            return;
        case FieldType::Time:
            entry.write(record, source.time());
            return;
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
