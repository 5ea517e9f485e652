#pragma once
// Saving one changed setting: the questions and refusals that come first, the data fields the
// feature settings take or hand back, the stored values, the change-log entry, and for the
// history weeks the recalculation of the history.
//
// Nothing is half-written: the values are stored first (put back when the data-field tables
// then fail to save), and a refused question or check changes nothing.
#include "editors/SettingValues.h"

namespace vel {

class SettingsDataFields;
class SettingsObject;
class VelmorSystem;

class SettingsSave {
  public:
    SettingsSave(VelmorSystem& system, SettingsObject& settings);

    // Stores the setting's new values; false keeps its page open (the person said No, a check
    // refused, or a write failed; each told to the person).
    bool save(SettingTypes type, const SettingValues& before, const SettingValues& after);

  private:
    // The questions and checks before anything is written; false stops the save.
    bool agreed(SettingTypes type, const SettingValues& before, const SettingValues& after,
                SettingsDataFields& fields);
    bool trackCostAgreed(const SettingValues& after, SettingsDataFields& fields);
    bool qualityAgreed(const SettingValues& before, const SettingValues& after,
                       SettingsDataFields& fields);
    bool policyAgreed(const SettingValues& after, SettingsDataFields& fields);
    // Asks the history question and records the recalculation for the week-end job.
    void recalculateHistory();
    bool yes(const QString& question);
    int message(const QString& text, int style);

    VelmorSystem& system_;
    SettingsObject& settings_;
};

}  // namespace vel
