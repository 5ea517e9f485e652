#pragma once
// The catalogue of per-system settings: every section and value the component reads, with the
// text a value has until it is first written.
#include <QLatin1StringView>
#include <QString>
#include <span>

namespace vel {

struct SettingDefault {
    // How the default text is turned into the value's default.
    enum class Kind {
        Text,          // the text as it stands
        InDataFolder,  // the data folder followed by the text: a full path
    };

    // A section ending in "-" stands for that prefix followed by a system number.
    QLatin1StringView section;
    QLatin1StringView value;
    QLatin1StringView defaultText;
    Kind kind = Kind::Text;
};

// Every catalogued section and value, in the order of the settings documentation.
std::span<const SettingDefault> settingCatalogue();

// The default of a value, or empty text for a value that is not catalogued. Section and value
// names match in any letter case. dataFolder completes the defaults that are full paths.
QString settingDefault(const QString& section, const QString& value,
                       const QString& dataFolder = {});

// Whether the catalogue knows the value (so that its empty default is meant, not a gap).
bool isCataloguedSetting(const QString& section, const QString& value);

}  // namespace vel
