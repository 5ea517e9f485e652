#pragma once
// The settings editor's tests: a reference system with a few activities, the stored settings
// and data fields as the files hold them, and the change log.
#include "EditorHarness.h"

#include "data/records/ActivityRecord.h"
#include "data/records/DataFieldRecord.h"
#include "host/ChangeLog.h"
#include "services/IniSettings.h"

#include <QMap>

namespace vel::testing {

struct SettingsSite : EditorHarness {
    explicit SettingsSite(int dataFields = 20) : EditorHarness(dataFields) {
        std::vector<ActivityRecord> activities;
        for (const char* code : {"PICK", "PACK", "LOAD"}) {
            ActivityRecord activity;
            activity.Code = QString::fromLatin1(code);
            activity.Desc = QString::fromLatin1(code).toLower();
            activities.push_back(activity);
        }
        store(system->activities(), activities);
        reopen();
    }

    // The stored text of a setting, "<none>" when it was never written.
    QString setting(const QString& section, const QString& key) const {
        IniSettings settings(IniSettings::locationFor(site.folder, 1));
        settings.selectSection(section);
        return settings.readValue(key, QStringLiteral("<none>"));
    }

    // Opens the settings editor on one setting (or the list) with the script for its window.
    void edit(short type, HeadlessUi::FormScript script) {
        ui.when(QStringLiteral("frmSettings"), std::move(script));
        component.EditSettings(0, *system, type);
    }

    // The descriptions of the data fields in use, by field number.
    QMap<int, QString> fieldsInUse() {
        QMap<int, QString> used;
        int number = 0;
        for (const DataFieldRecord& field : stored(&VelmorSystem::dataFields)) {
            ++number;
            if (field.InUse) {
                used.insert(number, field.Desc.trimmed());
            }
        }
        return used;
    }

    std::vector<int> costFields() {
        std::vector<int> fields;
        for (const ActivityRecord& activity : stored(&VelmorSystem::activities)) {
            fields.push_back(activity.FldCostto);
        }
        return fields;
    }

    // The settings named by the change log's "Edit" entries of the settings, in order.
    QStringList loggedSettings() const {
        QStringList names;
        for (const ChangeLogEntry& entry :
             ChangeLog(site.path(QStringLiteral("TBEDITLOG.--1")), fixedNow).entries()) {
            if (entry.TableName.trimmed() == QStringLiteral("Settings") &&
                entry.Action.trimmed() == QStringLiteral("Edit")) {
                names << entry.Code.trimmed();
            }
        }
        return names;
    }
};

// Sets a page's control and presses OK.
inline HeadlessUi::FormScript setAndSave(const QString& control, const QString& value) {
    return [control, value](FormDriver& window) {
        EXPECT_TRUE(window.set(control, value)) << control.toStdString();
        window.click(QStringLiteral("SaveButtons1(1)"));
    };
}

}  // namespace vel::testing
