#include "app/velmor/RecentFolders.h"

#include <QDir>
#include <QSettings>

namespace vel {

namespace {

QSettings settings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("velmor"),
                     QStringLiteral("velmor"));
}

void store(const std::vector<RecentFolder>& folders) {
    QSettings saved = settings();
    saved.remove(QStringLiteral("Recent"));
    saved.beginWriteArray(QStringLiteral("Recent"), int(folders.size()));
    for (int index = 0; index < int(folders.size()); ++index) {
        saved.setArrayIndex(index);
        saved.setValue(QStringLiteral("Folder"), folders[size_t(index)].folder);
        saved.setValue(QStringLiteral("System"), folders[size_t(index)].system);
    }
    saved.endArray();
}

}  // namespace

std::vector<RecentFolder> RecentFolders::load() {
    QSettings saved = settings();
    std::vector<RecentFolder> folders;
    const int count = saved.beginReadArray(QStringLiteral("Recent"));
    for (int index = 0; index < count && int(folders.size()) < kept; ++index) {
        saved.setArrayIndex(index);
        const QString folder = saved.value(QStringLiteral("Folder")).toString();
        const int system = saved.value(QStringLiteral("System"), 1).toInt();
        if (!folder.isEmpty() && system > 0) {
            folders.push_back({folder, system});
        }
    }
    saved.endArray();
    return folders;
}

void RecentFolders::add(const RecentFolder& recent) {
    std::vector<RecentFolder> folders = load();
    const QString folder = QDir::cleanPath(QDir(recent.folder).absolutePath());
    std::erase_if(folders, [&](const RecentFolder& kept) { return kept.folder == folder; });
    folders.insert(folders.begin(), {folder, recent.system});
    if (int(folders.size()) > kept) {
        folders.resize(size_t(kept));
    }
    store(folders);
}

void RecentFolders::remove(const QString& folder) {
    std::vector<RecentFolder> folders = load();
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    std::erase_if(folders, [&](const RecentFolder& kept) { return kept.folder == clean; });
    store(folders);
}

}  // namespace vel
