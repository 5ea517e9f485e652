#pragma once
// The data fields that the feature settings take, hand back or convert:
//   - Track Cost: every active activity holds a cost field ("<code> Cost", the activity's
//     FldCostto); turning it off releases them.
//   - Quality: four fields for the module ("Quality Auditable Units", "Quality Auditable Hours",
//     "Quality Accuracy Base Units", "Quality Audited Units"), one for failure cost ("Quality
//     Failure Cost") and one for failure hours ("Quality Failure Hours"). Turning the module off
//     converts them all to user-defined fields and removes the mistakes from the types of work;
//     turning cost or hours off converts that field.
//   - Performance Policy: "PPA Earned Hours" and "PPA Measured Hours"; off converts them.
// A plan changes the tables in memory only; save() writes them together, and a failure puts
// every table back as it was before the plan.
#include <QString>
#include <memory>
#include <vector>

namespace vel {

class VelmorSystem;

class SettingsDataFields {
  public:
    // One table as it was before the plans (defined in the source file).
    class Snapshot;

    explicit SettingsDataFields(VelmorSystem& system);
    ~SettingsDataFields();

    // Each plan answers false with the reason for the person in refusal; nothing is changed then.
    bool planTrackCost(bool on, QString* refusal);
    bool planQuality(bool wasOn, bool on, bool cost, bool hours, QString* refusal);
    bool planPerformancePolicy(bool on, QString* refusal);

    // Writes the changed tables; false (with the reason in error) leaves every file as it was.
    bool save(QString* error);
    // Drops what the plans changed in memory.
    void cancel();

  private:
    // Opens the tables a plan changes and remembers their records; false when one cannot open.
    bool takeSnapshots(bool activities, bool typesOfWork, QString* refusal);
    // Takes a free field for each description that no field in use has yet; false when fewer
    // are free than missing (nothing taken then).
    bool ensureFields(const QStringList& descriptions, int* missing);

    VelmorSystem& system_;
    std::vector<std::unique_ptr<Snapshot>> snapshots_;
};

}  // namespace vel
