// libFuzzer target for the settings-file reader and writer: the input is a settings file. Every
// value found in it is read; then one value is written (an existing one, or a new one in a new
// section). A write that succeeds must read back exactly, and every other value must read as it
// did before: a save never changes what it was not asked to change. Built and run by
// scripts/fuzz; the files live in a folder under /dev/shm when there is one.
#include "services/IniSettings.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct Name {
    QString section;
    QString value;
};

// The section and value names a person reading the text would see: "[Section]" lines and the
// names before "=" of the lines under them (at most 8).
std::vector<Name> namesIn(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QStringDecoder("windows-1252").decode(bytes);
    }
    std::vector<Name> names;
    QString section;
    for (const QString& line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.contains(u']')) {
            section = trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed();
        } else if (!section.isEmpty() && line.contains(u'=') && names.size() < 8) {
            names.push_back({section, line.left(line.indexOf(u'=')).trimmed()});
        }
    }
    return names;
}

QString read(vel::IniSettings& settings, const Name& name) {
    settings.selectSection(name.section);
    return settings.readValue(name.value, QStringLiteral("\x01(absent)"));
}

const QTemporaryDir& folder() {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/settings-fuzz-XXXXXX")
                                       : QDir::tempPath() +
                                             QStringLiteral("/settings-fuzz-XXXXXX"));
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = folder().filePath(QStringLiteral("velmor1.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != size) {
            std::abort();
        }
    }
    vel::IniSettings settings(path);
    std::vector<Name> names = namesIn(bytes);
    std::vector<QString> before;
    for (const Name& name : names) {
        before.push_back(read(settings, name));
    }
    // The value written: the first one found, else a new one; its text from the input's end.
    const Name target = names.empty() || (size > 0 && data[0] % 3 == 0)
                            ? Name{QStringLiteral("Fuzz Section"), QStringLiteral("Written")}
                            : names.front();
    const QString text =
        QString::fromUtf8(bytes.right(12)).remove(u'\n').remove(u'\r') + QStringLiteral(" é€");
    settings.selectSection(target.section);
    if (!settings.writeText(target.value, text)) {
        return 0;  // refused names are fine; the file must then be as it was
    }
    if (read(settings, target) != text) {
        std::abort();
    }
    for (size_t index = 0; index < names.size(); ++index) {
        const bool same = names[index].section.compare(target.section, Qt::CaseInsensitive) == 0 &&
                          names[index].value.compare(target.value, Qt::CaseInsensitive) == 0;
        if (!same && read(settings, names[index]) != before[index]) {
            std::abort();
        }
    }
    return 0;
}
