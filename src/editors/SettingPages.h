#pragma once
// The pages of the settings window: one frame per setting (fraSetting(type)), of which only the
// page being edited shows. Each page's controls are declared here, filled from the values and
// read back into them.
//
// Controls: chkTrackCost; nmbHistory(0..3) and optQual(0..1); txtChime with btnBrowse(0);
// txtLogo with btnBrowse(1), btnPreview, lblImageSize and lblFileSize; chkQuality(0..2);
// optHolidays(0..3); txtKey(0..4) for F2 to F6; chkDiscipline; chkXYZ(0..2);
// nmbMaxWorkCenters; optAllocation(0) 9999, optAllocation(1) 999.
#include "editors/SettingValues.h"

#include <QString>
#include <array>
#include <map>

namespace vel {

class CheckBox;
class Container;
class Form;
class Frame;
class Label;
class NumberBox;
class OptionButton;
class TextBox;

class SettingPages {
  public:
    // Declares every page in the container; dataFolder resolves relative file names.
    explicit SettingPages(Container& container);

    void setDataFolder(const QString& folder) { dataFolder_ = folder; }
    // Shows the page of the type alone (no page for a type without one).
    void showPage(SettingTypes type);
    void load(const SettingValues& values);
    // The values with what the pages show put in.
    SettingValues read(const SettingValues& values) const;
    // Whether the page of the type shows something other than the values.
    bool changed(SettingTypes type, const SettingValues& values) const;
    // The image file's size in pixels and bytes, or "Error loading the file".
    void previewLogo();

  private:
    void declareCostAndHistory(Container& container);
    void declareFiles(Container& container);
    void declareModules(Container& container);
    void declareChoices(Container& container);
    Frame& page(Container& container, SettingTypes type);
    void browse(TextBox& box, const QString& title, const QString& filter);
    QString resolved(const QString& fileName) const;

    std::map<int, Frame*> pages_;
    CheckBox* trackCost_ = nullptr;
    std::array<NumberBox*, 4> history_{};
    std::array<OptionButton*, 2> failuresFrom_{};
    TextBox* chime_ = nullptr;
    TextBox* logo_ = nullptr;
    Label* imageSize_ = nullptr;
    Label* fileSize_ = nullptr;
    std::array<CheckBox*, 3> quality_{};
    std::array<OptionButton*, 4> holidays_{};
    std::array<TextBox*, SettingValues::keyCount> keys_{};
    CheckBox* discipline_ = nullptr;
    std::array<CheckBox*, 3> xyz_{};
    NumberBox* maxWorkCenters_ = nullptr;
    std::array<OptionButton*, 2> allocations_{};
    QString dataFolder_;
};

}  // namespace vel
