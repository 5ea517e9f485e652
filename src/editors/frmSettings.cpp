#include "editors/frmSettings.h"

#include "data/ProgramObject.h"
#include "data/SettingsObject.h"
#include "data/VelmorSystem.h"
#include "editors/SettingsSave.h"
#include "editors/shell/TBEditForm.h"
#include "platform/print/PrintTable.h"
#include "platform/print/TBPrint.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Frame.h"
#include "ui/MessageBoxCodes.h"
#include "ui/SaveButtons.h"

#include <algorithm>

namespace vel {

namespace {

const std::vector<PrintTable::Column>& printLayout() {
    static const std::vector<PrintTable::Column> columns{{QStringLiteral("Number"), 7},
                                                         {QStringLiteral("Setting"), 38},
                                                         {QStringLiteral("Value"), 30}};
    return columns;
}

bool hasPage(int type) {
    const auto& pages = settingPages();
    return std::find(pages.begin(), pages.end(), type) != pages.end();
}

}  // namespace

frmSettings::frmSettings(int settingType)
    : Form(QStringLiteral("frmSettings"), QStringLiteral("Settings")),
      settingType_(settingType),
      pages_(*this),
      list_(std::make_unique<TBEditForm>(static_cast<EditFormEvents&>(*this))) {
    line().saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int index) {
        confirmed_ = index == SaveButtons::OK;
        hide();
    });
    storeFactory_ = [this] { return std::make_unique<IniSettings>(system_->settingsLocation()); };
}

frmSettings::~frmSettings() = default;

bool frmSettings::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    system_ = &system;
    viewOnly_ = viewOnly;
    bool shown = false;
    return guarded(QStringLiteral(" - frmSettings:Edit"), shown, [&] {
        settings_ = storeFactory_();
        values_ = readSettingValues(*settings_);
        pages_.setDataFolder(system.Program().dataFolder());
        shown = true;
        if (hasPage(settingType_)) {
            editSetting(SettingTypes(settingType_), hwndOwner);
        } else {
            showList(hwndOwner);
        }
    });
}

void frmSettings::showList(quintptr owner) {
    list_->setCaption(QStringLiteral("Settings"));
    list_->setViewOnly(viewOnly_);
    list_->setAllowAdd(false);
    list_->setAllowDelete(false);
    list_->setHelp(system_->Program().helpFile(), helpContextID());
    list_->addColumn(QStringLiteral("Setting"), 0, ListColumn::Kind::Text, 38);
    list_->addColumn(QStringLiteral("Value"), 1, ListColumn::Kind::Text, 30);
    for (SettingTypes type : settingPages()) {
        list_->addLine(type, {settingListText(type), settingValueText(type, values_)});
    }
    list_->Show(owner);
}

void frmSettings::EditForm_EditRec(int number) {
    if (hasPage(number) && editSetting(SettingTypes(number), 0)) {
        list_->updateLine(number, {settingListText(SettingTypes(number)),
                                   settingValueText(SettingTypes(number), values_)});
        list_->markChanged();
    }
}

bool frmSettings::editSetting(SettingTypes type, quintptr owner) {
    pages_.showPage(type);
    pages_.load(values_);
    SettingsSave save(*system_, *settings_);
    while (true) {
        confirmed_ = false;
        ShowLikeModal(*this, owner);
        if (confirmed_ && !viewOnly_) {
            const SettingValues after = pages_.read(values_);
            if (!save.save(type, values_, after)) {
                continue;
            }
            const bool stored = !(after == values_);
            values_ = readSettingValues(*settings_);
            return stored;
        }
        if (viewOnly_ || !pages_.changed(type, values_) ||
            message(QStringLiteral("OK to Cancel all changes and exit?"),
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
            return false;
        }
    }
}

void frmSettings::EditForm_NeedtoShutdown(bool& shutdown) {
    shutdown = system_->shutdownPending();
}

void frmSettings::EditForm_ShowHelp(int helpContext) {
    system_->showHelp(helpContext);
}

void frmSettings::EditForm_DeviceInit(TBPrint& printer) {
    system_->standardDeviceSetup(printer);
}

void frmSettings::EditForm_PrintHeader(TBPrint& printer) {
    system_->standardPageHeader(printer);
    printer.setAlignment(PrintAlignment::Centre);
    printer.printLine(QStringLiteral("List of Elements"), PrintBold);
    printer.setAlignment(PrintAlignment::Left);
    QStringList headings;
    for (const PrintTable::Column& column : printLayout()) {
        headings << column.heading;
    }
    printer.printRow(headings, printLayout(), PrintUnderline);
}

void frmSettings::EditForm_PrintRec(TBPrint& printer, int number) {
    printer.printRow(printCells(number), printLayout());
}

QStringList frmSettings::printCells(int number) const {
    const auto type = SettingTypes(number);
    return {QString::number(number), settingListText(type), settingValueText(type, values_)};
}

void frmSettings::release() {
    unload();
    list_->unload();
}

int frmSettings::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_->Program().title());
}

}  // namespace vel
