#pragma once
// frmSettings: the settings editor ("Settings"). Opened on one setting it shows that setting's
// page; opened on the list (stgShowList) it shows the list of every setting with its value
// (columns "Setting" and "Value", a line's record number is its setting type), and Edit on a
// line opens that setting's page. A type without a page of its own opens the list.
//
// OK on a page saves the setting through SettingsSave (questions, data fields, change log);
// a refusal keeps the page open. Cancel with changes asks "OK to Cancel all changes and exit?".
#include "editors/EditorEntry.h"
#include "editors/SettingPages.h"
#include "editors/SettingValues.h"
#include "platform/editshell/EditFormEvents.h"
#include "ui/Form.h"

#include <functional>
#include <memory>

namespace vel {

class SettingsObject;
class TBEditForm;

class frmSettings : public Form, public EditorEntry, protected EditFormEvents {
  public:
    explicit frmSettings(int settingType = stgShowList);
    ~frmSettings() override;

    bool Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) override;
    // Settings are kept outside the master tables: there is no table to export afterwards.
    bool tableChanged() const override { return false; }
    void release() override;

    // Where the settings are read and written; the system's own settings file unless a test
    // gives another store.
    using SettingsStoreFactory = std::function<std::unique_ptr<SettingsObject>()>;
    void setSettingsStore(SettingsStoreFactory factory) { storeFactory_ = std::move(factory); }

    TBEditForm& list() { return *list_; }

  protected:
    void EditForm_EditRec(int number) override;
    void EditForm_NeedtoShutdown(bool& shutdown) override;
    void EditForm_ShowHelp(int helpContext) override;
    void EditForm_DeviceInit(TBPrint& printer) override;
    void EditForm_PrintHeader(TBPrint& printer) override;
    void EditForm_PrintRec(TBPrint& printer, int number) override;

  private:
    // The page of one setting until it is saved or left; true when a new value was stored.
    bool editSetting(SettingTypes type, quintptr owner);
    void showList(quintptr owner);
    QStringList printCells(int number) const;
    int message(const QString& text, int style);

    int settingType_;
    SettingPages pages_;
    std::unique_ptr<TBEditForm> list_;
    std::unique_ptr<SettingsObject> settings_;
    SettingsStoreFactory storeFactory_;
    SettingValues values_;
    VelmorSystem* system_ = nullptr;
    bool viewOnly_ = false;
    bool confirmed_ = false;
};

}  // namespace vel
