#include "data/TableCatalogue.h"

#include "services/AddSlash.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vel {
namespace {

// Whether a name or mask ends in an extension marker that the system number completes.
bool endsInMarker(const QString& nameOrMask) {
    return nameOrMask.endsWith(u"--") || nameOrMask.endsWith(u"??") || nameOrMask.endsWith(u'.');
}

// A whole-name, any-case pattern for a file mask: "*" any run, "?" exactly one character.
QRegularExpression maskPattern(const QString& mask) {
    if (mask == u"*.*" || mask == u"*") {
        return QRegularExpression(QStringLiteral("^.*$"));
    }
    QString pattern;
    for (const QChar character : mask) {
        if (character == u'*') {
            pattern += QStringLiteral(".*");
        } else if (character == u'?') {
            pattern += u'.';
        } else {
            pattern += QRegularExpression::escape(QString(character));
        }
    }
    return QRegularExpression(
        QStringLiteral("^(?:%1)$").arg(pattern),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

}  // namespace

TableCatalogue::TableCatalogue(const QString& dataFolder, int systemNumber)
    : dataFolder_(dataFolder), systemNumber_(systemNumber) {}

QString TableCatalogue::dataFolder() const {
    return dataFolder_;
}

int TableCatalogue::systemNumber() const {
    return systemNumber_;
}

QString TableCatalogue::path(const QString& name) const {
    return AddSlash(dataFolder_) + forSystem(name, systemNumber_);
}

QString TableCatalogue::mask(const QString& mask) const {
    return forSystem(mask, systemNumber_);
}

QStringList TableCatalogue::filesMatching(const QString& mask) const {
    return filesMatching(dataFolder_, forSystem(mask, systemNumber_));
}

QStringList TableCatalogue::filesOfSystem() const {
    // "TB*.??" + number also matches the marker-less files of some other systems ("TBMASTER.111"
    // for system 1); an extension of digits only is another system's number and is left out.
    QStringList names;
    const QString number = QString::number(systemNumber_);
    for (const QString& name : filesMatching(catalogue::allSystemFilesMask)) {
        const QString extension = name.section(u'.', -1);
        bool isNumber = false;
        extension.toLongLong(&isNumber);
        if (!isNumber || extension == number) {
            names.append(name);
        }
    }
    const QString master = forSystem(catalogue::masterFile, systemNumber_);
    const QString masterPath = findFile(dataFolder_, master);
    if (QFileInfo(masterPath).isFile()) {
        names.append(QFileInfo(masterPath).fileName());
        names.sort(Qt::CaseInsensitive);
    }
    return names;
}

QString TableCatalogue::corporateControlZip(const QString& corporateFolder) const {
    return AddSlash(corporateFolder) + catalogue::corporateControlZipBase +
           QString::number(systemNumber_) + catalogue::corporateControlZipExtension;
}

QString TableCatalogue::punchLookupIndex(int order) const {
    return AddSlash(dataFolder_) + catalogue::punchLookupIndexBase + QString::number(order) +
           catalogue::tableMarker + QString::number(systemNumber_);
}

QString TableCatalogue::corporateSubfolder() const {
    return AddSlash(AddSlash(dataFolder_) + catalogue::corporateFolder);
}

QString TableCatalogue::cloneFolder() const {
    return AddSlash(AddSlash(dataFolder_) + catalogue::cloneFolder);
}

QString TableCatalogue::forSystem(const QString& nameOrMask, int systemNumber) {
    if (!endsInMarker(nameOrMask)) {
        return nameOrMask;
    }
    return nameOrMask + QString::number(systemNumber);
}

bool TableCatalogue::matchesMask(const QString& fileName, const QString& mask) {
    return maskPattern(mask).match(fileName).hasMatch();
}

QStringList TableCatalogue::filesMatching(const QString& folder, const QString& mask) {
    // Leading folder parts of the mask ("BATCH\*.*") are looked up in any letter case.
    QString searchFolder = folder;
    QString prefix;  // the folder parts as found, each followed by "/"
    QStringList parts = mask.split(QRegularExpression(QStringLiteral("[\\\\/]")));
    const QString nameMask = parts.takeLast();
    for (const QString& part : parts) {
        if (!part.isEmpty()) {
            searchFolder = findFile(searchFolder, part);
            prefix += QFileInfo(searchFolder).fileName() + u'/';
        }
    }
    const QRegularExpression pattern = maskPattern(nameMask);
    QStringList names;
    const QDir directory(searchFolder.isEmpty() ? QStringLiteral(".") : searchFolder);
    for (const QString& name : directory.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (pattern.match(name).hasMatch()) {
            names.append(prefix + name);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TableCatalogue::findFile(const QString& folder, const QString& name) {
    QString exact = AddSlash(folder) + name;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QDir directory(folder.isEmpty() ? QStringLiteral(".") : folder);
    QStringList entries =
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.sort();
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return AddSlash(folder) + entry;
        }
    }
    return exact;
}

}  // namespace vel
