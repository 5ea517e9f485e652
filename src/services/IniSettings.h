#pragma once
// The per-system settings store: one INI file per system in the data folder ("velmor1.ini" for
// system 1), readable and editable by a person with a text editor. Every read goes to the file;
// every write replaces only the line of its value and saves the file atomically, so comments,
// spacing and other lines written by hand stay as they were.
#include "data/SettingsObject.h"

#include <QStringList>

#include <functional>

namespace vel {

class IniSettings : public SettingsObject {
  public:
    IniSettings() = default;
    // Attaches to the given location at once (see attach()).
    explicit IniSettings(const QString& location);

    // The file name of a system's settings ("velmor" + system number + ".ini").
    static QString fileName(int systemNumber);
    // The settings location of a system: its settings file in the data folder.
    static QString locationFor(const QString& dataFolder, int systemNumber);

    // Attaches to a settings file. The file need not exist yet, but its folder must. When the file
    // does not exist under that exact name, a file whose name differs only in letter case is used.
    bool attach(const QString& location) override;
    void selectSection(const QString& section) override;
    QString section() const override;

    QString readValue(const QString& value, const QString& defaultText) const override;
    QString readValue(const QString& value) const override;
    bool writeText(const QString& value, const QString& text) override;
    // Removes the value's line from the selected section (nothing to do when it has none);
    // false when the file could not be saved.
    bool removeValue(const QString& value);

    // The attached file, empty before a successful attach().
    QString filePath() const;
    // Why the last write was refused or failed; empty after a successful write.
    QString lastError() const;

  private:
    bool fail(const QString& message);
    bool rewrite(const QString& name, const std::function<void(QStringList&)>& change);

    QString filePath_;
    QString section_;
    QString lastError_;
};

}  // namespace vel
