#pragma once
// RecentFolders: the data folders (with their system numbers) the main window worked on, most
// recent first, kept in the user's settings (~/.config/velmor/velmor.ini, section "Recent") so
// that the program opens the last one again and offers the others in its File menu.
#include <QString>
#include <vector>

namespace vel {

struct RecentFolder {
    QString folder;
    int system = 1;
    bool operator==(const RecentFolder&) const = default;
};

class RecentFolders {
  public:
    static constexpr int kept = 6;

    static std::vector<RecentFolder> load();
    // Puts the folder first (once, whatever system it was opened with before).
    static void add(const RecentFolder& recent);
    static void remove(const QString& folder);
};

}  // namespace vel
