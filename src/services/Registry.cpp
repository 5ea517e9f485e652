#include "services/Registry.h"

#include "services/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <optional>
#include <vector>

namespace vel {
namespace {

const QString redirectionKey = QStringLiteral("TorvaneSoftware_Velmor");
const QString dialogPoliciesKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ComDlg32");
const QString noPlacesBarValue = QStringLiteral("NoPlacesBar");

// Process-wide state: the injected storage file and the redirection of HKEY_CURRENT_USER.
QString injectedStorageFile;
bool currentUserIsRedirected = false;

// Written at the top of a new file so that a person editing it knows the forms.
const QStringList fileHeader{
    QStringLiteral("; Velmor registry values of this user. Each [key] line starts a key, followed"),
    QStringLiteral("; by its values: \"name\"=\"text\" (REG_SZ), \"name\"=dword:0000000a"),
    QStringLiteral("; (REG_DWORD), \"name\"=hex:01,02 (REG_BINARY); @ names the default value."),
};

QString rootName(RegistryRoot root) {
    switch (root) {
        case HKEY_CLASSES_ROOT:
            return QStringLiteral("HKEY_CLASSES_ROOT");
        case HKEY_CURRENT_USER:
            return QStringLiteral("HKEY_CURRENT_USER");
        case HKEY_LOCAL_MACHINE:
            return QStringLiteral("HKEY_LOCAL_MACHINE");
        case HKEY_USERS:
            return QStringLiteral("HKEY_USERS");
    }
    return {};
}

// A key path with single separators and no separator at either end.
QString normalizedPath(const QString& path) {
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool samePath(const QString& left, const QString& right) {
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

// Whether path is the key itself or lies below it.
bool isWithin(const QString& path, const QString& key) {
    return samePath(path, key) || path.startsWith(key + u'\\', Qt::CaseInsensitive);
}

// One value as read from its line. readable is false when the line names a value whose data
// cannot be understood.
struct StoredValue {
    QString name;
    qint32 type = 0;
    QString text;
    QByteArray bytes;
    quint32 number = 0;
    bool readable = false;
};

// Reads a double-quoted text with \\ and \" escapes from position (at the opening quote);
// leaves position after the closing quote. Nothing when the quote is not closed.
std::optional<QString> readQuoted(const QString& line, qsizetype& position) {
    QString text;
    for (++position; position < line.size(); ++position) {
        const QChar character = line.at(position);
        if (character == u'"') {
            ++position;
            return text;
        }
        if (character == u'\\' && position + 1 < line.size()) {
            ++position;
        }
        text += line.at(position);
    }
    return std::nullopt;
}

// Comma-separated hexadecimal bytes ("01,ff,2a"); nothing when one is not a byte.
std::optional<QByteArray> readHexBytes(const QString& data) {
    QByteArray bytes;
    for (const QString& part : data.split(u',', Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const uint byte = part.trimmed().toUInt(&isNumber, 16);
        if (!isNumber || byte > 0xFF) {
            return std::nullopt;
        }
        bytes.append(static_cast<char>(byte));
    }
    return bytes;
}

// Understands the data after "=" of a value line.
void readData(const QString& data, StoredValue& value) {
    if (data.startsWith(u'"')) {
        qsizetype position = 0;
        const std::optional<QString> text = readQuoted(data, position);
        value.type = REG_SZ;
        value.text = text.value_or(QString());
        value.readable = text.has_value() && data.mid(position).trimmed().isEmpty();
    } else if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        const QString digits = data.mid(6).trimmed();
        bool isNumber = false;
        value.type = REG_DWORD;
        value.number = digits.toUInt(&isNumber, 16);
        value.readable = isNumber && digits.size() <= 8;
    } else if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        const qsizetype colon = data.indexOf(u':');
        const QString kind = data.mid(3, colon - 3);  // "" or "(N)"
        bool isNumber = true;
        value.type = REG_BINARY;
        if (kind.startsWith(u'(') && kind.endsWith(u')')) {
            value.type = kind.mid(1, kind.size() - 2).toInt(&isNumber, 16);
        } else if (!kind.isEmpty()) {
            isNumber = false;
        }
        const std::optional<QByteArray> bytes = readHexBytes(data.mid(colon + 1));
        value.bytes = bytes.value_or(QByteArray());
        value.readable = colon > 0 && isNumber && bytes.has_value();
        if (value.type == REG_SZ) {  // text written as bytes: UTF-16LE ending in a NUL
            const QByteArray& raw = value.bytes;
            value.text = QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()),
                                            raw.size() / 2);
            const qsizetype end = value.text.indexOf(QChar(0));
            if (end >= 0) {
                value.text.truncate(end);
            }
        } else if (value.type == REG_DWORD) {  // a number written as four little-endian bytes
            value.readable = value.readable && value.bytes.size() == 4;
            if (value.readable) {
                value.number = qFromLittleEndian<quint32>(value.bytes.constData());
            }
        }
    }
}

// The value on a line, or nothing for key lines, comments, blank and foreign lines.
std::optional<StoredValue> readValueLine(const QString& line) {
    const QString trimmed = line.trimmed();
    StoredValue value;
    qsizetype position = 0;
    if (trimmed.startsWith(u'@')) {
        position = 1;
    } else if (trimmed.startsWith(u'"')) {
        const std::optional<QString> name = readQuoted(trimmed, position);
        if (!name) {
            return std::nullopt;
        }
        value.name = *name;
    } else {
        return std::nullopt;
    }
    const QString rest = trimmed.mid(position).trimmed();
    if (!rest.startsWith(u'=')) {
        return std::nullopt;
    }
    readData(rest.mid(1).trimmed(), value);
    return value;
}

// The key path of a "[key]" line, or nothing for any other line.
std::optional<QString> keyOfLine(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(u'[') || !trimmed.endsWith(u']')) {
        return std::nullopt;
    }
    return normalizedPath(trimmed.mid(1, trimmed.size() - 2));
}

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + escaped + u'"';
}

QString nameOnLine(const QString& valueName) {
    return valueName.isEmpty() ? QStringLiteral("@") : quoted(valueName);
}

// One key of the file: its "[key]" line followed by the lines up to the next key.
struct KeyBlock {
    QString path;
    QStringList lines;
};

// The whole file: the lines before the first key, then the keys in file order.
struct RegistryText {
    QStringList preamble;
    std::vector<KeyBlock> keys;

    // The first value of that name in any block of the key (a key may be written twice).
    std::optional<StoredValue> find(const QString& key, const QString& valueName) const {
        for (const KeyBlock& block : keys) {
            if (!samePath(block.path, key)) {
                continue;
            }
            for (const QString& line : block.lines) {
                std::optional<StoredValue> value = readValueLine(line);
                if (value && value->name.compare(valueName, Qt::CaseInsensitive) == 0) {
                    return value;
                }
            }
        }
        return std::nullopt;
    }

    bool contains(const QString& key) const {
        for (const KeyBlock& block : keys) {
            if (isWithin(block.path, key)) {
                return true;
            }
        }
        return false;
    }

    KeyBlock& blockOf(const QString& key) {
        for (KeyBlock& block : keys) {
            if (samePath(block.path, key)) {
                return block;
            }
        }
        QStringList& before = keys.empty() ? preamble : keys.back().lines;
        if (!before.isEmpty() && !before.last().trimmed().isEmpty()) {
            before.append(QString());
        }
        keys.push_back({key, {u'[' + key + u']'}});
        return keys.back();
    }

    // Replaces the value's line (keeping the name as written), or adds it after the last value
    // of the key. data is what follows "=".
    void setValue(const QString& key, const QString& valueName, const QString& data) {
        KeyBlock& block = blockOf(key);
        qsizetype lastValue = 0;
        for (qsizetype index = 1; index < block.lines.size(); ++index) {
            const std::optional<StoredValue> value = readValueLine(block.lines[index]);
            if (!value) {
                continue;
            }
            if (value->name.compare(valueName, Qt::CaseInsensitive) == 0) {
                block.lines[index] = nameOnLine(value->name) + u'=' + data;
                return;
            }
            lastValue = index;
        }
        block.lines.insert(lastValue + 1, nameOnLine(valueName) + u'=' + data);
    }
};

// Reads the file; a missing file is empty, an unreadable one gives nothing.
std::optional<RegistryText> loadRegistry(const QString& path) {
    RegistryText registry;
    QFile file(path);
    if (!file.exists()) {
        registry.preamble = fileHeader;
        return registry;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(file.readAll());
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (const std::optional<QString> key = keyOfLine(line)) {
            registry.keys.push_back({*key, {line}});
        } else if (registry.keys.empty()) {
            registry.preamble.append(line);
        } else {
            registry.keys.back().lines.append(line);
        }
    }
    return registry;
}

// Writes the file through a temporary file that replaces it only when complete.
bool saveRegistry(const QString& path, const RegistryText& registry) {
    QString text;
    for (const QString& line : registry.preamble) {
        text += line + u'\n';
    }
    for (const KeyBlock& block : registry.keys) {
        for (const QString& line : block.lines) {
            text += line + u'\n';
        }
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The stored value, or run-time error 5 when it is missing or its data cannot be understood.
StoredValue readableValue(const QString& key, const QString& valueName) {
    const std::optional<RegistryText> registry = loadRegistry(Registry::storageFile());
    if (!registry) {
        throw RuntimeError::invalidCall(
            QStringLiteral("Cannot read the registry file %1").arg(Registry::storageFile()));
    }
    const std::optional<StoredValue> value =
        key.isEmpty() ? std::nullopt : registry->find(key, valueName);
    if (!value || !value->readable) {
        throw RuntimeError::invalidCall(
            QStringLiteral("Cannot read registry value \"%1\" of %2").arg(valueName, key));
    }
    return *value;
}

// Up to four bytes as a little-endian 32-bit number; longer data is not a number.
std::optional<qint32> numberOfBytes(const QByteArray& bytes) {
    if (bytes.size() > 4) {
        return std::nullopt;
    }
    quint32 number = 0;
    for (qsizetype index = bytes.size() - 1; index >= 0; --index) {
        number = (number << 8) | static_cast<quint8>(bytes.at(index));
    }
    return static_cast<qint32>(number);
}

[[noreturn]] void raiseUnreadable(const QString& key, const StoredValue& value) {
    throw RuntimeError::invalidCall(
        QStringLiteral("Registry value \"%1\" of %2 is of type %3 and cannot be read that way")
            .arg(value.name, key)
            .arg(value.type));
}

// Applies a change to the file: read, change, save. False when the file cannot be read
// (it is then left alone) or saved.
template <typename Change>
bool changeRegistry(Change change) {
    std::optional<RegistryText> registry = loadRegistry(Registry::storageFile());
    if (!registry || !change(*registry)) {
        return false;
    }
    return saveRegistry(Registry::storageFile(), *registry);
}

}  // namespace

Registry::Registry(RegistryRoot root, const QString& keyName) : root_(root) {
    setKeyName(keyName);
}

RegistryRoot Registry::Root() const {
    return root_;
}

void Registry::setRoot(RegistryRoot root) {
    root_ = root;
}

QString Registry::KeyName() const {
    return keyName_;
}

void Registry::setKeyName(const QString& keyName) {
    keyName_ = normalizedPath(keyName);
}

QString Registry::StringValue(const QString& valueName) const {
    const StoredValue value = readableValue(keyPath(), valueName);
    if (value.type == REG_SZ) {
        return value.text;
    }
    if (value.type == REG_DWORD) {
        return QString::number(static_cast<qint32>(value.number));
    }
    raiseUnreadable(keyPath(), value);
}

qint32 Registry::LongValue(const QString& valueName) const {
    const StoredValue value = readableValue(keyPath(), valueName);
    if (value.type == REG_DWORD) {
        return static_cast<qint32>(value.number);
    }
    if (value.type == REG_BINARY) {
        if (const std::optional<qint32> number = numberOfBytes(value.bytes)) {
            return *number;
        }
    }
    if (value.type == REG_SZ) {
        bool isNumber = false;
        const qint32 number = value.text.trimmed().toInt(&isNumber);
        if (isNumber) {
            return number;
        }
    }
    raiseUnreadable(keyPath(), value);
}

bool Registry::SetStringValue(const QString& valueName, const QString& text) {
    const QString key = keyPath();
    if (key.isEmpty() || text.contains(u'\n') || text.contains(u'\r')) {
        return false;
    }
    return changeRegistry([&](RegistryText& registry) {
        registry.setValue(key, valueName, quoted(text));
        return true;
    });
}

bool Registry::SetLongValue(const QString& valueName, qint32 number) {
    const QString key = keyPath();
    if (key.isEmpty()) {
        return false;
    }
    const QString data =
        QStringLiteral("dword:%1").arg(static_cast<quint32>(number), 8, 16, QLatin1Char('0'));
    return changeRegistry([&](RegistryText& registry) {
        registry.setValue(key, valueName, data);
        return true;
    });
}

bool Registry::OpenKey() const {
    const QString key = keyPath();
    if (key.isEmpty()) {
        return false;
    }
    if (keyName_.isEmpty()) {
        return true;  // a predefined root always exists
    }
    const std::optional<RegistryText> registry = loadRegistry(storageFile());
    return registry && registry->contains(key);
}

QStringList Registry::EnumKey() const {
    const QString key = keyPath();
    const std::optional<RegistryText> registry = loadRegistry(storageFile());
    QStringList names;
    if (key.isEmpty() || !registry) {
        return names;
    }
    for (const KeyBlock& block : registry->keys) {
        if (!block.path.startsWith(key + u'\\', Qt::CaseInsensitive)) {
            continue;
        }
        const QString child = block.path.mid(key.size() + 1).section(u'\\', 0, 0);
        if (!names.contains(child, Qt::CaseInsensitive)) {
            names.append(child);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

qint32 Registry::QueryValueEx(const QString& valueName, QVariant& value) const {
    const StoredValue stored = readableValue(keyPath(), valueName);
    switch (stored.type) {
        case REG_SZ:
            value = stored.text;
            return 0;
        case REG_DWORD:
            value = static_cast<qint32>(stored.number);
            return 0;
        case REG_BINARY:
            if (const std::optional<qint32> number = numberOfBytes(stored.bytes)) {
                value = *number;
                return 0;
            }
            raiseUnreadable(keyPath(), stored);
        default:
            return -1;
    }
}

bool Registry::DeleteKey() {
    const QString key = keyPath();
    if (key.isEmpty() || keyName_.isEmpty()) {
        return false;
    }
    return changeRegistry([&](RegistryText& registry) {
        const auto firstRemoved =
            std::remove_if(registry.keys.begin(), registry.keys.end(),
                           [&](const KeyBlock& block) { return isWithin(block.path, key); });
        const bool found = firstRemoved != registry.keys.end();
        registry.keys.erase(firstRemoved, registry.keys.end());
        return found;
    });
}

QString Registry::storageFile() {
    if (!injectedStorageFile.isEmpty()) {
        return injectedStorageFile;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velmor/registry.reg");
}

void Registry::setStorageFile(const QString& path) {
    injectedStorageFile = path;
}

bool Registry::redirectCurrentUser() {
    if (currentUserIsRedirected) {
        return true;
    }
    Registry override(HKEY_CURRENT_USER, redirectionKey);
    currentUserIsRedirected = override.createKey();
    return currentUserIsRedirected;
}

bool Registry::suppressPlacesBar() {
    if (!currentUserIsRedirected) {
        return false;
    }
    Registry policies(HKEY_CURRENT_USER, dialogPoliciesKey);
    return policies.SetLongValue(noPlacesBarValue, 1);
}

bool Registry::restoreCurrentUser() {
    if (!currentUserIsRedirected) {
        return false;
    }
    currentUserIsRedirected = false;
    Registry override(HKEY_CURRENT_USER, redirectionKey);
    return override.DeleteKey();
}

bool Registry::placesBarSuppressed() {
    try {
        const Registry policies(HKEY_CURRENT_USER, dialogPoliciesKey);
        QVariant value;
        return policies.QueryValueEx(noPlacesBarValue, value) == 0 && value.toLongLong() != 0;
    } catch (const RuntimeError&) {
        return false;  // no such value: the dialog keeps its places bar
    }
}

bool Registry::currentUserRedirected() {
    return currentUserIsRedirected;
}

QString Registry::keyPath() const {
    QString path = rootName(root_);
    if (path.isEmpty()) {
        return path;
    }
    if (root_ == HKEY_CURRENT_USER && currentUserIsRedirected) {
        path += u'\\' + redirectionKey;
    }
    return keyName_.isEmpty() ? path : path + u'\\' + keyName_;
}

bool Registry::createKey() {
    const QString key = keyPath();
    if (key.isEmpty()) {
        return false;
    }
    const std::optional<RegistryText> registry = loadRegistry(storageFile());
    if (registry && registry->contains(key)) {
        return true;
    }
    return changeRegistry([&](RegistryText& changed) {
        changed.blockOf(key);
        return true;
    });
}

}  // namespace vel
