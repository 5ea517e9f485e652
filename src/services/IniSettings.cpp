#include "services/IniSettings.h"

#include "data/TableCatalogue.h"
#include "services/AddSlash.h"
#include "services/SettingDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <functional>
#include <optional>

namespace vel {
namespace {

// How long a write waits for another writer of the same file before giving up.
constexpr int lockWaitMilliseconds = 5000;

// The lines of a settings file and how the file was written, so that a save keeps its form.
struct IniText {
    QStringList lines;
    QByteArray lineEnd = "\n";
    bool utf8ByteOrderMark = false;
    bool windows1252 = false;  // the file was not valid UTF-8: keep it in the Windows code page
};

// Reads the file; a missing file is an empty text, an unreadable one gives nothing.
std::optional<IniText> loadIniText(const QString& path, QString* error) {
    IniText text;
    QFile file(path);
    if (!file.exists()) {
        return text;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text.utf8ByteOrderMark = true;
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError()) {
        text.windows1252 = true;
        decoded = QStringDecoder("windows-1252").decode(bytes);
    }
    const qsizetype firstBreak = decoded.indexOf(u'\n');
    if (firstBreak > 0 && decoded.at(firstBreak - 1) == u'\r') {
        text.lineEnd = "\r\n";
    }
    text.lines = decoded.split(u'\n');
    if (!text.lines.isEmpty() && text.lines.last().isEmpty()) {
        text.lines.removeLast();  // the break after the last line
    }
    for (QString& line : text.lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
    }
    return text;
}

// The section name of a "[Section]" line, or nothing for any other line.
std::optional<QString> sectionOfLine(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(u']');
    if (!trimmed.startsWith(u'[') || close < 0) {
        return std::nullopt;
    }
    return trimmed.mid(1, close - 1).trimmed();
}

// The value name of a "name = value" line; comments (";" or "#" first) and other lines have none.
std::optional<QString> valueNameOfLine(const QString& line) {
    const QString trimmed = line.trimmed();
    const qsizetype equals = line.indexOf(u'=');
    if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#') ||
        trimmed.startsWith(u'[') || equals < 0) {
        return std::nullopt;
    }
    return line.left(equals).trimmed();
}

// The stored text of a value line: trimmed, and without enclosing double quotes.
QString storedTextOfLine(const QString& line) {
    QString text = line.mid(line.indexOf(u'=') + 1).trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        text = text.mid(1, text.size() - 2);
    }
    return text;
}

// Text as written after "=": quoted when trimming or unquoting would change it on reading.
QString encodedText(const QString& text) {
    const bool needsQuotes = text != text.trimmed() ||
                             (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'));
    return needsQuotes ? u'"' + text + u'"' : text;
}

// Where a section and one of its values are in the lines (-1 where absent).
struct Position {
    qsizetype sectionLine = -1;
    qsizetype valueLine = -1;
    qsizetype lastValueLine = -1;  // the section's last value line, or its header
};

// Finds the first section of that name and the first line of the value in it; names match in
// any letter case, as the settings files of the system always have.
Position locate(const QStringList& lines, const QString& section, const QString& value) {
    Position position;
    bool inSection = false;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        if (const auto name = sectionOfLine(lines[index])) {
            if (inSection) {
                break;
            }
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                position.sectionLine = index;
                position.lastValueLine = index;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (const auto name = valueNameOfLine(lines[index])) {
            position.lastValueLine = index;
            if (position.valueLine < 0 && name->compare(value, Qt::CaseInsensitive) == 0) {
                position.valueLine = index;
            }
        }
    }
    return position;
}

// Replaces the value's line (keeping its name and spacing up to the text), adds it after the
// section's last value, or adds the section at the end.
void placeValue(QStringList& lines, const QString& section, const QString& value,
                const QString& text) {
    const Position position = locate(lines, section, value);
    if (position.valueLine >= 0) {
        const QString& line = lines[position.valueLine];
        qsizetype textStart = line.indexOf(u'=') + 1;
        while (textStart < line.size() && line.at(textStart).isSpace()) {
            ++textStart;
        }
        lines[position.valueLine] = line.left(textStart) + encodedText(text);
    } else if (position.sectionLine >= 0) {
        lines.insert(position.lastValueLine + 1, value + u'=' + encodedText(text));
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines.append(QString());
        }
        lines.append(u'[' + section + u']');
        lines.append(value + u'=' + encodedText(text));
    }
}

// The bytes of the text in the file's own encoding; UTF-8 when the Windows code page cannot
// hold a character.
QByteArray encodedFile(IniText& text) {
    QString joined;
    for (const QString& line : text.lines) {
        joined += line + QString::fromLatin1(text.lineEnd);
    }
    if (text.windows1252) {
        QStringEncoder windows1252("windows-1252");
        QByteArray bytes = windows1252.encode(joined);
        if (!windows1252.hasError()) {
            return bytes;
        }
        text.windows1252 = false;
    }
    QByteArray bytes = joined.toUtf8();
    if (text.utf8ByteOrderMark) {
        bytes.prepend("\xEF\xBB\xBF");
    }
    return bytes;
}

// Writes the whole file through a temporary file that replaces it only when complete.
bool saveAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace

IniSettings::IniSettings(const QString& location) {
    IniSettings::attach(location);  // no override exists yet during construction
}

QString IniSettings::fileName(int systemNumber) {
    return QStringLiteral("velmor%1.ini").arg(systemNumber);
}

QString IniSettings::locationFor(const QString& dataFolder, int systemNumber) {
    return AddSlash(dataFolder) + fileName(systemNumber);
}

bool IniSettings::attach(const QString& location) {
    filePath_.clear();
    if (location.isEmpty()) {
        return false;
    }
    const QFileInfo info(location);
    if (info.isDir() || !info.dir().exists()) {
        return false;
    }
    filePath_ = TableCatalogue::findFile(info.absolutePath(), info.fileName());
    return true;
}

void IniSettings::selectSection(const QString& section) {
    section_ = section.trimmed();
}

QString IniSettings::section() const {
    return section_;
}

QString IniSettings::readValue(const QString& value, const QString& defaultText) const {
    if (filePath_.isEmpty() || section_.isEmpty()) {
        return defaultText;
    }
    QString error;
    const std::optional<IniText> text = loadIniText(filePath_, &error);
    if (!text) {
        return defaultText;
    }
    const Position position = locate(text->lines, section_, value.trimmed());
    if (position.valueLine < 0) {
        return defaultText;
    }
    return storedTextOfLine(text->lines[position.valueLine]);
}

QString IniSettings::readValue(const QString& value) const {
    const QString dataFolder = filePath_.isEmpty() ? QString() : QFileInfo(filePath_).path();
    return readValue(value, settingDefault(section_, value.trimmed(), dataFolder));
}

bool IniSettings::writeText(const QString& value, const QString& text) {
    const QString name = value.trimmed();
    if (filePath_.isEmpty()) {
        return fail(QStringLiteral("The settings are not attached to a file"));
    }
    if (section_.isEmpty() || section_.contains(u']')) {
        return fail(QStringLiteral("Cannot store %1: no valid section is selected").arg(name));
    }
    if (name.isEmpty() || name.contains(u'=') || name.startsWith(u';') || name.startsWith(u'#') ||
        name.startsWith(u'[')) {
        return fail(
            QStringLiteral("Cannot store a value named \"%1\" in %2").arg(value, filePath_));
    }
    if (text.contains(u'\n') || text.contains(u'\r')) {
        return fail(
            QStringLiteral("Cannot store %1/%2: a value must be one line").arg(section_, name));
    }
    return rewrite(name, [&](QStringList& lines) { placeValue(lines, section_, name, text); });
}

bool IniSettings::removeValue(const QString& value) {
    const QString name = value.trimmed();
    if (filePath_.isEmpty() || section_.isEmpty() || !QFileInfo::exists(filePath_)) {
        return true;
    }
    return rewrite(name, [&](QStringList& lines) {
        for (Position position = locate(lines, section_, name); position.valueLine >= 0;
             position = locate(lines, section_, name)) {
            lines.removeAt(position.valueLine);
        }
    });
}

// Changes the lines of the file under the writers' lock and saves it whole.
bool IniSettings::rewrite(const QString& name, const std::function<void(QStringList&)>& change) {
    QLockFile lock(filePath_ + QStringLiteral(".lock"));
    if (!lock.tryLock(lockWaitMilliseconds)) {
        return fail(QStringLiteral("Cannot store %1/%2: %3 is in use by another writer")
                        .arg(section_, name, filePath_));
    }
    QString error;
    std::optional<IniText> ini = loadIniText(filePath_, &error);
    if (!ini) {
        return fail(error);
    }
    const QStringList before = ini->lines;
    change(ini->lines);
    if (ini->lines == before) {
        lastError_.clear();
        return true;  // the file holds it already: no rewrite, no sync
    }
    if (!saveAtomically(filePath_, encodedFile(*ini), &error)) {
        return fail(error);
    }
    lastError_.clear();
    return true;
}

QString IniSettings::filePath() const {
    return filePath_;
}

QString IniSettings::lastError() const {
    return lastError_;
}

bool IniSettings::fail(const QString& message) {
    lastError_ = message;
    return false;
}

}  // namespace vel
