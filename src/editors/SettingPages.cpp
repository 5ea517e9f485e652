#include "editors/SettingPages.h"

#include "services/AddSlash.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Frame.h"
#include "ui/KeyFilter.h"
#include "ui/Label.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace vel {

namespace {
constexpr int keyTextLength = 10;  // an activity code
}

SettingPages::SettingPages(Container& container) {
    declareCostAndHistory(container);
    declareFiles(container);
    declareModules(container);
    declareChoices(container);
}

Frame& SettingPages::page(Container& container, SettingTypes type) {
    Frame& frame = container.frame(QStringLiteral("fraSetting"), type, settingListText(type));
    pages_[type] = &frame;
    return frame;
}

void SettingPages::declareCostAndHistory(Container& container) {
    auto& cost = page(container, stgTrackCost);
    trackCost_ = &cost.checkBox(QStringLiteral("chkTrackCost"),
                                QStringLiteral("Track Cost information in Tallybook datafields"));
    cost.label(QStringLiteral("lblTrackCost"), 0,
               QStringLiteral("This setting determines if datafields are created for each activity "
                              "to track cost information, based on the Associate cost."));
    cost.label(QStringLiteral("lblTrackCost"), 1,
               QStringLiteral("If you are currently tracking cost, selecting to not track it will "
                              "delete the datafields from the Tallybooks."));

    auto& history = page(container, stgHistoryWeeks);
    const std::array<QString, 4> captions{
        QStringLiteral("Short Term History Weeks"), QStringLiteral("Long Term History Weeks"),
        QStringLiteral("Historical Standard Weeks"), QStringLiteral("Historical Minimum Hours")};
    const std::array<double, 4> maxima{52, 260, 260, 9999};
    for (int index = 0; index < 4; ++index) {
        history_[size_t(index)] =
            &history.numberBox(QStringLiteral("nmbHistory"), index, captions[size_t(index)])
                 .range(index == 3 ? 0 : 1, maxima[size_t(index)]);
    }
    auto& failures =
        history.frame(QStringLiteral("fraQual"),
                      QStringLiteral("Anticipated Failure Units are calculated based on:"));
    failuresFrom_[0] =
        &failures.option(QStringLiteral("optQual"), 0, QStringLiteral("Short Term History"));
    failuresFrom_[1] =
        &failures.option(QStringLiteral("optQual"), 1, QStringLiteral("Long Term History"));
}

void SettingPages::declareFiles(Container& container) {
    auto& chime = page(container, stgChime);
    chime.label(QStringLiteral("lblChime"),
                QStringLiteral("Select the sound that should be played on the hour."));
    auto& chimeRow = chime.line();
    chime_ = &chimeRow.textBox(QStringLiteral("txtChime"), QStringLiteral("Sound File:"));
    chimeRow.button(QStringLiteral("btnBrowse"), 0, QStringLiteral("Browse...")).clicked([this] {
        browse(*chime_, QStringLiteral("Sound file for Chime"),
               QStringLiteral("Sound Files (*.wav)|*.wav"));
    });

    auto& logo = page(container, stgLogoFile);
    logo.label(QStringLiteral("lblLogo"),
               QStringLiteral("Select the image that should be displayed at the top of reports and "
                              "graphs."));
    auto& logoRow = logo.line();
    logo_ = &logoRow.textBox(QStringLiteral("txtLogo"), QStringLiteral("Image File:"));
    logoRow.button(QStringLiteral("btnBrowse"), 1, QStringLiteral("Browse...")).clicked([this] {
        browse(*logo_, QStringLiteral("Image file for Logo"),
               QStringLiteral("Image Files (*.bmp;*.gif;*.jpg;*.wmf)|*.bmp;*.gif;*.jpg;*.wmf"));
    });
    logo.button(QStringLiteral("btnPreview"), QStringLiteral("Preview")).clicked([this] {
        previewLogo();
    });
    imageSize_ = &logo.label(QStringLiteral("lblImageSize"), QString());
    fileSize_ = &logo.label(QStringLiteral("lblFileSize"), QString());
}

void SettingPages::declareModules(Container& container) {
    auto& quality = page(container, stgQuality);
    quality_[0] = &quality.checkBox(QStringLiteral("chkQuality"), 0,
                                    QStringLiteral("Enable Quality features"));
    quality_[1] = &quality.checkBox(
        QStringLiteral("chkQuality"), 1,
        QStringLiteral("Track Cost for Quality Failures and Mistakes in Datafields"));
    quality_[2] = &quality.checkBox(
        QStringLiteral("chkQuality"), 2,
        QStringLiteral("Track Hours for Quality Failures and Mistakes in Datafields"));
    // Cost and hours tracking belong to the module: they are offered only while it is on.
    quality_[0]->clicked([this] {
        for (int index : {1, 2}) {
            quality_[size_t(index)]->setEnabled(quality_[0]->checked());
            if (!quality_[0]->checked()) {
                quality_[size_t(index)]->setChecked(false);
            }
        }
    });

    auto& discipline = page(container, stgDiscipline);
    discipline_ =
        &discipline.checkBox(QStringLiteral("chkDiscipline"),
                             QStringLiteral("Enable the Performance Policy Administration Module"));

    auto& xyz = page(container, stgXYZ);
    xyz_[0] = &xyz.checkBox(QStringLiteral("chkXYZ"), 0,
                            QStringLiteral("Enable the XYZ menus and options"));
    xyz_[1] =
        &xyz.checkBox(QStringLiteral("chkXYZ"), 1, QStringLiteral("The script uses XYZ features"));
    xyz_[2] = &xyz.checkBox(QStringLiteral("chkXYZ"), 2,
                            QStringLiteral("The script uses Start Date and Time features"));
    xyz.label(QStringLiteral("lblXYZ"),
              QStringLiteral("The script features slow down the processing of every transaction. "
                             "Select them only when the data collection script uses them."));
}

void SettingPages::declareChoices(Container& container) {
    auto& holidays = page(container, stgHolidays);
    holidays.label(QStringLiteral("lblHolidays"),
                   QStringLiteral("Select the types of Holidays descriptions that you want "
                                  "displayed on the Calendar"));
    const std::array<QString, 4> holidayCaptions{QStringLiteral("U.S.A."),
                                                 QStringLiteral("Religious"),
                                                 QStringLiteral("None"), QStringLiteral("All")};
    for (int index = 0; index < 4; ++index) {
        holidays_[size_t(index)] =
            &holidays.option(QStringLiteral("optHolidays"), index, holidayCaptions[size_t(index)]);
    }

    auto& keys = page(container, stgSoftKeys);
    keys.label(
        QStringLiteral("lblKeys"),
        QStringLiteral("Set the text that will be inserted when the Function Keys are "
                       "pressed on the Production Sheet Entry screen for the Activity Code."));
    for (int index = 0; index < SettingValues::keyCount; ++index) {
        keys_[size_t(index)] =
            &keys.textBox(QStringLiteral("txtKey"), index,
                          QStringLiteral("Key F%1").arg(SettingValues::firstKey + index))
                 .keys(KeyFilter::code())
                 .maxLength(keyTextLength);
    }

    auto& workCenters = page(container, stgMaxWorkCenter);
    workCenters.label(QStringLiteral("lblMaxWorkCenters"),
                      QStringLiteral("Set the Maximum number of Work Centers allowed.  The default "
                                     "is 99."));
    maxWorkCenters_ = &workCenters
                           .numberBox(QStringLiteral("nmbMaxWorkCenters"),
                                      QStringLiteral("Enter Maximum Number of Work Centers"))
                           .range(1, 99);

    auto& allocations = page(container, stgMaxAllocation);
    allocations.label(
        QStringLiteral("lblMaxAllocations"),
        QStringLiteral("Set the Maximum number of Allocations allowed in the Allocation Table.  "
                       "Increasing the size to 9999 will cause increased file sizes and also "
                       "increase time to complete many operations."));
    allocations_[0] =
        &allocations.option(QStringLiteral("optAllocation"), 0, QStringLiteral("9999 Allocations"));
    allocations_[1] = &allocations.option(QStringLiteral("optAllocation"), 1,
                                          QStringLiteral("999 Allocations (default)"));
}

void SettingPages::showPage(SettingTypes type) {
    for (auto& [pageType, frame] : pages_) {
        frame->setVisible(pageType == type);
    }
}

void SettingPages::load(const SettingValues& values) {
    trackCost_->setChecked(values.trackCost);
    const std::array<int, 4> history{values.shortTermWeeks, values.longTermWeeks,
                                     values.standardWeeks, values.minimumHours};
    for (size_t index = 0; index < history_.size(); ++index) {
        history_[index]->setValue(history[index]);
    }
    failuresFrom_[size_t(values.failuresFrom)]->setValue(true);
    chime_->setText(values.chime);
    logo_->setText(values.logo);
    imageSize_->setCaption(QString());
    fileSize_->setCaption(QString());
    quality_[0]->setChecked(values.quality);
    quality_[1]->setChecked(values.quality && values.qualityCost);
    quality_[2]->setChecked(values.quality && values.qualityHours);
    quality_[1]->setEnabled(values.quality);
    quality_[2]->setEnabled(values.quality);
    holidays_[size_t(values.holidays)]->setValue(true);
    for (size_t index = 0; index < keys_.size(); ++index) {
        keys_[index]->setText(values.keys[index]);
    }
    discipline_->setChecked(values.performancePolicy);
    xyz_[0]->setChecked(values.xyz);
    xyz_[1]->setChecked(values.xyzScriptFeatures);
    xyz_[2]->setChecked(values.xyzStartTimes);
    maxWorkCenters_->setValue(values.maxWorkCenters);
    allocations_[values.maxAllocations == 9999 ? 0 : 1]->setValue(true);
}

SettingValues SettingPages::read(const SettingValues& values) const {
    SettingValues shown = values;
    shown.trackCost = trackCost_->checked();
    shown.shortTermWeeks = int(history_[0]->value());
    shown.longTermWeeks = int(history_[1]->value());
    shown.standardWeeks = int(history_[2]->value());
    shown.minimumHours = int(history_[3]->value());
    shown.failuresFrom = failuresFrom_[1]->value() ? 1 : 0;
    shown.chime = chime_->text().trimmed();
    shown.logo = logo_->text().trimmed();
    shown.quality = quality_[0]->checked();
    shown.qualityCost = shown.quality && quality_[1]->checked();
    shown.qualityHours = shown.quality && quality_[2]->checked();
    for (size_t index = 0; index < holidays_.size(); ++index) {
        if (holidays_[index]->value()) {
            shown.holidays = int(index);
        }
    }
    for (size_t index = 0; index < keys_.size(); ++index) {
        shown.keys[index] = keys_[index]->text().trimmed();
    }
    shown.performancePolicy = discipline_->checked();
    shown.xyz = xyz_[0]->checked();
    shown.xyzScriptFeatures = xyz_[1]->checked();
    shown.xyzStartTimes = xyz_[2]->checked();
    shown.maxWorkCenters = int(maxWorkCenters_->value());
    shown.maxAllocations = allocations_[0]->value() ? 9999 : 999;
    return shown;
}

bool SettingPages::changed(SettingTypes type, const SettingValues& values) const {
    const SettingValues shown = read(values);
    const auto stored = storedSettings(type, values);
    const auto now = storedSettings(type, shown);
    for (size_t index = 0; index < stored.size(); ++index) {
        if (stored[index].text != now[index].text) {
            return true;
        }
    }
    return false;
}

void SettingPages::browse(TextBox& box, const QString& title, const QString& filter) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter + QStringLiteral("|All Files (*.*)|*.*");
    const QFileInfo current(resolved(box.text().trimmed()));
    request.folder = current.absolutePath();
    request.fileName = current.fileName();
    const QString chosen = currentUi().openFileName(request);
    if (!chosen.isEmpty()) {
        box.setText(QDir::toNativeSeparators(chosen));
    }
}

QString SettingPages::resolved(const QString& fileName) const {
    if (fileName.isEmpty() || QFileInfo(fileName).isAbsolute() || dataFolder_.isEmpty()) {
        return fileName;
    }
    return AddSlash(dataFolder_) + fileName;
}

void SettingPages::previewLogo() {
    const QString path = resolved(logo_->text().trimmed());
    QImageReader reader(path);
    const QSize size = reader.size();
    if (path.isEmpty() || !size.isValid() || !reader.canRead()) {
        imageSize_->setCaption(QStringLiteral("Error loading the file"));
        fileSize_->setCaption(QString());
        return;
    }
    imageSize_->setCaption(QStringLiteral("Image Size: ") + QString::number(size.width()) +
                           QStringLiteral(" x ") + QString::number(size.height()) +
                           QStringLiteral(" pixels"));
    fileSize_->setCaption(QStringLiteral("File Size: ") + QString::number(QFileInfo(path).size()) +
                          QStringLiteral(" bytes"));
}

}  // namespace vel
