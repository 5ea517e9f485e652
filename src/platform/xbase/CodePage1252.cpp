#include "platform/xbase/CodePage1252.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace vel::xbase {
namespace {

struct Tables {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, unsigned char> fromUnicode;  // characters at or above 0x80 only
    std::array<unsigned char, 256> upper{};

    Tables() {
        QStringDecoder decoder("windows-1252");
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = char(byte);
            QString decoded;
            if (decoder.isValid()) {
                decoded = decoder.decode(QByteArrayView(&raw, 1));
            }
            toUnicode[byte] = decoded.size() == 1 ? decoded[0].unicode() : char16_t(byte);
            if (byte >= 0x80) {
                fromUnicode.insert(toUnicode[byte], static_cast<unsigned char>(byte));
            }
        }
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t upperChar = QChar(toUnicode[byte]).toUpper().unicode();
            const unsigned char match = upperChar < 0x80 ? static_cast<unsigned char>(upperChar)
                                                         : fromUnicode.value(upperChar, 0);
            upper[byte] = match ? match : static_cast<unsigned char>(byte);
        }
    }

    unsigned char encodeOne(char16_t character) const {
        if (character < 0x80) {
            return static_cast<unsigned char>(character);
        }
        return fromUnicode.value(character, static_cast<unsigned char>('?'));
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

}  // namespace

QString CodePage1252::decode(const char* bytes, qsizetype size) {
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes);
    bool ascii = true;
    for (qsizetype index = 0; index < size && ascii; ++index) {
        ascii = raw[index] < 0x80;
    }
    if (ascii) {
        return QString::fromLatin1(bytes, size);
    }
    const Tables& table = tables();
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype index = 0; index < size; ++index) {
        out[index] = QChar(table.toUnicode[raw[index]]);
    }
    return text;
}

QByteArray CodePage1252::encode(QStringView text) {
    const Tables& table = tables();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype index = 0; index < text.size(); ++index) {
        bytes[index] = char(table.encodeOne(text[index].unicode()));
    }
    return bytes;
}

bool CodePage1252::encodeInto(QStringView text, char* field, qsizetype width) {
    const Tables& table = tables();
    const qsizetype used = std::min(width, text.size());
    for (qsizetype index = 0; index < used; ++index) {
        field[index] = char(table.encodeOne(text[index].unicode()));
    }
    std::fill(field + used, field + width, ' ');
    return text.size() <= width;
}

unsigned char CodePage1252::upper(unsigned char byte) {
    return tables().upper[byte];
}

}  // namespace vel::xbase
