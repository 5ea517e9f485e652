#pragma once
// The public enumerations of the command class, with their published values.

namespace vel {

enum eCMDFlags : short { eCMDMenu = 0, eCMDScript = 1, eCMDCommandLine = 2 };

enum SettingTypes : short {
    _minsetting = 0,
    stgShowList = 0,
    stgTrackCost = 1,
    stgHistoryWeeks = 2,
    stgChime = 3,
    stgLogoFile = 4,
    stgQuality = 5,
    stgHolidays = 6,
    stgSoftKeys = 7,
    stgDiscipline = 8,
    stgXYZ = 10,
    stgMaxWorkCenter = 11,
    stgMaxAllocation = 12,
    _maxsetting = 12
};

enum BackType : short {
    _minBackType = 0,
    BackFull = 0,
    BackTables = 1,
    BackDay = 2,
    BackFile = 3,
    BackNamedFile = 4,
    _maxBacType = 4
};

}  // namespace vel
