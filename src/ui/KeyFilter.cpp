#include "ui/KeyFilter.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vel {

int toWindows1252(QChar character) {
    if (character.unicode() < 128) {
        return character.unicode();
    }
    QStringEncoder encoder("windows-1252", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = encoder.encode(QString(character));
    if (encoder.hasError() || bytes.size() != 1 || bytes[0] == '?') {
        return 0;
    }
    return static_cast<unsigned char>(bytes[0]);
}

QChar fromWindows1252(int code) {
    if (code < 128) {
        return QChar(code);
    }
    QStringDecoder decoder("windows-1252", QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArray(1, static_cast<char>(code)));
    return text.isEmpty() ? QChar() : text.front();
}

namespace {

bool isPassingControlKey(int code) {
    return code == KeyCtrlA || code == KeyCtrlC || code == KeyBackspace || code == KeyCtrlV ||
           code == KeyCtrlX;
}

int upperCased(int code) {
    const bool lower = (code >= 97 && code <= 124) || (code >= 224 && code <= 246) ||
                       (code >= 248 && code <= 254);
    return lower ? code - 32 : code;
}

}  // namespace

KeyFilter KeyFilter::ranges(const QString& pairs, bool upperCase) {
    std::vector<std::pair<int, int>> allowed;
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        allowed.emplace_back(toWindows1252(pairs[i]), toWindows1252(pairs[i + 1]));
    }
    return KeyFilter([allowed, upperCase](int code) {
        if (isPassingControlKey(code)) {
            return code;
        }
        if (upperCase) {
            code = upperCased(code);
        }
        for (const auto& [first, last] : allowed) {
            if (code >= first && code <= last) {
                return code;
            }
        }
        return 0;
    });
}

KeyFilter KeyFilter::code() {
    return ranges(QStringLiteral("!!##%&()++-?A_{~\u00A1\u00FF"), true);
}

KeyFilter KeyFilter::name() {
    return ranges(QStringLiteral(" !#&'~\u00A1\u00FF"), false);
}

KeyFilter KeyFilter::digits() {
    return ranges(QStringLiteral("09"), false);
}

}  // namespace vel
