#pragma once
// The modules and switches of a system that decide which windows, columns and checks appear.
#include <QString>

namespace vel {

struct SystemFeatures {
    bool mistakeTracking = false;
    bool performancePolicy = false;      // PPA
    bool corporateSystem = false;        // this system publishes the corporate control files
    bool corporateSite = false;          // this system receives them
    bool usesCorporateControl = false;   // editors check against the control files
    QString corporateFolder;             // where the corporate control files are exchanged
    bool quality = false;
    bool incentive = false;
    bool xyz = false;
    bool dataCollection = false;
    bool costTracking = false;
    int languages = 0;                   // alternate descriptions kept per record

    bool operator==(const SystemFeatures&) const = default;
};

}  // namespace vel
