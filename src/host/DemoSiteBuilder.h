#pragma once
// Fills a new, empty system with a demo site: the master records of a distribution center, then
// its recorded work (a year on the small site, two on the large one), posted week by week, and
// the day file's figures of each day with work. Failures
// are thrown as RuntimeError naming the file; createDemoSite() turns them into its result.
#include "host/DemoRandom.h"
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"

#include <vector>

namespace vel {

// How many records of each kind a demo site has.
struct DemoSiteShape {
    int workCenters = 0;
    int typesOfWork = 0;
    int mistakes = 0;
    int elements = 0;
    int activities = 0;
    int allocations = 0;
    int associates = 0;
    int groupings = 0;
    int schedules = 0;
    int locations = 0;
    int machines = 0;
    int weeksOfWork = 0;      // weeks of recorded work up to today
    bool dataFields = false;  // activities and types of work post into data fields
    bool large = false;

    static DemoSiteShape of(DemoSize size);
};

class DemoSiteBuilder {
  public:
    DemoSiteBuilder(ReferenceSystem& system, DemoSize size, const QDate& today);

    // Writes the settings and every table; throws RuntimeError when a table cannot be written.
    void build();

  private:
    void writeSettings();
    void makeMistakes();
    void makeElements();
    void makeTypesOfWork();
    void makeWorkCenters();
    void makeGroupings();
    void makeSchedules();
    void makeLocations();
    void makeMachines();
    void makeAllocations();
    void makeActivities();
    ActivityRecord makeActivity(int index, int catalogueIndex, int variant);
    void makeAssociates();
    AssociateRecord makeAssociate(int number);
    void assignDataFields();
    void recordWork();

    // Writes the records as records 1, 2, ... of the table and closes it.
    template <class Record>
    void store(Table<Record>& table, const std::vector<Record>& records);
    void reportStep(const QString& text, int step);

    ReferenceSystem& system_;
    DemoSiteShape shape_;
    QDate today_;
    DemoRandom random_;

    std::vector<MistakeRecord> mistakes_;
    std::vector<ElementRecord> elements_;
    std::vector<float> elementRates_;  // a typical units per hour of each element; -1: none
    std::vector<TypeOfWorkRecord> typesOfWork_;
    std::vector<WorkCenterRecord> workCenters_;
    std::vector<int> staffedWorkCenters_;  // record numbers of the work centers with associates
    std::vector<GroupingRecord> groupings_;
    std::vector<ScheduleRecord> schedules_;
    std::vector<LocationRecord> locations_;
    std::vector<int> dockLocations_;
    std::vector<int> aisleLocations_;
    std::vector<MachineRecord> machines_;
    std::vector<int> travelMachines_;  // the machines that travel activities name
    std::vector<AllocationRecord> allocations_;
    std::vector<ActivityRecord> activities_;
    std::vector<AssociateRecord> associates_;
};

}  // namespace vel
