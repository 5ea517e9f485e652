#pragma once
// Reading and writing typed values in the bytes of one record. C fields hold Windows-1252 text,
// space padded; N fields right-justified ASCII numbers (blank = empty); D fields YYYYMMDD (blank =
// no date); L fields T, F or '?' (unknown). Writes that cannot be stored throw an XbaseError whose
// message names the field; the caller adds the file name.
#include "platform/xbase/FieldDescriptor.h"

#include <QDate>
#include <QString>
#include <optional>

namespace vel::xbase {

class FieldValues {
  public:
    // The text of any field as stored, without trailing blanks (C fields decoded).
    static QString text(const char* record, const FieldDescriptor& field);
    static std::optional<double> number(const char* record, const FieldDescriptor& field);
    static QDate date(const char* record, const FieldDescriptor& field);
    static std::optional<bool> logical(const char* record, const FieldDescriptor& field);
    // Why a stored value cannot be read as its field's type ("is not a number"); empty when it
    // can (blank values can).
    static QString problem(const char* record, const FieldDescriptor& field);

    // C fields: text cut to the width. Other types: the text is parsed as that type's value
    // ("12.5", "20240131" or "2024-01-31", "T"/"F"/"Y"/"N"/"?"); blank text empties the field.
    static void assignText(char* record, const FieldDescriptor& field, QStringView text);
    // Writes raw Windows-1252 bytes into a C field, cut or space padded to the width.
    static void assignBytes(char* record, const FieldDescriptor& field, QByteArrayView bytes);
    static void assignNumber(char* record, const FieldDescriptor& field, double value);
    static void assignBlank(char* record, const FieldDescriptor& field);
    static void assignDate(char* record, const FieldDescriptor& field, const QDate& date);
    static void assignLogical(char* record, const FieldDescriptor& field,
                              std::optional<bool> value);

    // A formatted number as the field would store it; throws FieldOverflow when it does not fit.
    static QByteArray formatNumber(const FieldDescriptor& field, double value);
};

}  // namespace vel::xbase
