#pragma once
// Windows-1252, the text encoding of the tables: decoding, encoding into fixed-width fields, and
// the upper-casing of raw bytes that index keys use. The tables are built once from Qt's
// "windows-1252" codec; characters it cannot encode become '?'.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vel::xbase {

class CodePage1252 {
  public:
    static QString decode(const char* bytes, qsizetype size);
    static QByteArray encode(QStringView text);
    // Encodes into exactly width bytes, padded with spaces; returns false when text was cut.
    static bool encodeInto(QStringView text, char* field, qsizetype width);
    // The upper-case form of one Windows-1252 byte (ASCII and the accented letters).
    static unsigned char upper(unsigned char byte);
};

}  // namespace vel::xbase
