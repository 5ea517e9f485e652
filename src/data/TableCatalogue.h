#pragma once
// The names of a system's files. A name is the data folder, a base name, an extension marker and
// the system number: "TBVMACT.--" + "1" is the activity table of system 1, "TBMASTER." + "1" its
// master file. Masks use "*" (any run of characters) and "?" (exactly one character) and match
// in any letter case, since files copied from other machines may be upper or lower case.
#include <QLatin1StringView>
#include <QString>
#include <QStringList>

namespace vel {

// Base names with their extension markers, and the fixed file names of the system.
namespace catalogue {

inline constexpr QLatin1StringView masterFile{"TBMASTER."};
inline constexpr QLatin1StringView activityTable{"TBVMACT.--"};
inline constexpr QLatin1StringView elementTable{"TBVMELM.--"};
inline constexpr QLatin1StringView typeOfWorkTable{"TBVMTOW.--"};
inline constexpr QLatin1StringView productTablesMask{"TBVM*.--"};
inline constexpr QLatin1StringView corporateControlActivityFile{"TBCCACT.--"};
// The corporate system's feature switches that the control zip carries to the sites.
inline constexpr QLatin1StringView corporateControlFeaturesFile{"TBCCFEAT.--"};
inline constexpr QLatin1StringView corporateControlZipBase{"TBCCnt"};  // + number + ".ZIP"
inline constexpr QLatin1StringView corporateControlZipExtension{".ZIP"};
inline constexpr QLatin1StringView corporateFixLogBase{"TBCORPFIX."};  // + name + ".CSV"
inline constexpr QLatin1StringView punchLookupFile{"TBPNASSC.--"};
inline constexpr QLatin1StringView punchLookupIndexBase{"TBPNASSI"};  // + 1 or 2 + ".--"
inline constexpr QLatin1StringView tableMarker{".--"};
inline constexpr QLatin1StringView dayFilesMask{"TBDAY*.--"};
inline constexpr QLatin1StringView editLog{"TBEDITLOG.--"};
inline constexpr QLatin1StringView incentiveRateFile{"TBINCRAT.--"};
inline constexpr QLatin1StringView disFilesMask{"TBDIS*.--"};
inline constexpr QLatin1StringView dstFilesMask{"TBDST*.--"};
inline constexpr QLatin1StringView textFilesMask{"TBDC?TXT.--"};
inline constexpr QLatin1StringView reportAndGraphLayoutsMask{"TB?F*."};
inline constexpr QLatin1StringView reportLineFilesMask{"TBRL*."};
inline constexpr QLatin1StringView reportSequenceFilesMask{"TBRS*."};
inline constexpr QLatin1StringView graphVariableFilesMask{"TBGV*."};
inline constexpr QLatin1StringView masterFamilyMask{"TBMas*.??"};
inline constexpr QLatin1StringView expressionFilesMask{"TBExprsn.??"};
inline constexpr QLatin1StringView groupFilesMask{"TBGroup.??"};
inline constexpr QLatin1StringView reportFormatFilesMask{"TBRF*.??"};
inline constexpr QLatin1StringView reportLineFamilyMask{"TBRL*.??"};
inline constexpr QLatin1StringView graphFormatFilesMask{"TBGF*.??"};
inline constexpr QLatin1StringView graphVariableFamilyMask{"TBGV*.??"};
inline constexpr QLatin1StringView allSystemFilesMask{"TB*.??"};

inline constexpr QLatin1StringView corporateAssociateFile{"CORPASSOC.CSV"};
inline constexpr QLatin1StringView activityDetailFile{"ActDetail.csv"};
inline constexpr QLatin1StringView associateImportFile{"assoc.csv"};
inline constexpr QLatin1StringView allocationImportFile{"alloc.txt"};
inline constexpr QLatin1StringView standardsImportFile{"standards.csv"};
inline constexpr QLatin1StringView weeklyAccountableFile{"WeeklyAccountable.csv"};
inline constexpr QLatin1StringView backupErrorLog{"error.log"};
inline constexpr QLatin1StringView debugTraceFile{"debug.fil"};
inline constexpr QLatin1StringView cloneFolder{"Clone"};
inline constexpr QLatin1StringView corporateFolder{"Corporate"};

}  // namespace catalogue

class TableCatalogue {
  public:
    TableCatalogue(const QString& dataFolder, int systemNumber);

    QString dataFolder() const;
    int systemNumber() const;

    // The path of a catalogue name in the data folder, with the system number added when the
    // name ends in an extension marker ("--", "??" or "."): path(catalogue::activityTable).
    QString path(const QString& name) const;
    // A mask with the system number added where it ends in an extension marker.
    QString mask(const QString& mask) const;
    // The names of the files in the data folder that match a catalogue mask for this system.
    QStringList filesMatching(const QString& mask) const;
    // Every file of this system: those matching "TB*.??" + number, except marker-less files of
    // other systems (an extension of digits only), and the master file.
    QStringList filesOfSystem() const;

    // "TBCCnt" + system number + ".ZIP" in the given corporate control folder.
    QString corporateControlZip(const QString& corporateFolder) const;
    // The punch lookup index file of sort order 1 or 2.
    QString punchLookupIndex(int order) const;
    // The subfolder of the data folder that receives a cloned system, with a trailing separator.
    QString cloneFolder() const;
    // The subfolder of the data folder that holds the local copies of the corporate control
    // tables, under this system's number, with a trailing separator.
    QString corporateSubfolder() const;

    // A name or mask with the system number added when it ends in "--", "??" or ".".
    static QString forSystem(const QString& nameOrMask, int systemNumber);
    // Whether a file name matches a mask, in any letter case; "*.*" matches every name.
    static bool matchesMask(const QString& fileName, const QString& mask);
    // The names of the files (not folders) in a folder that match a mask, sorted. A mask may
    // name subfolders first ("BATCH\*.*"); they are found in any letter case as well, and the
    // names then begin with the subfolders as found ("Batch/run1.txt").
    static QStringList filesMatching(const QString& folder, const QString& mask);
    // The path of the entry of that name in a folder, whatever its letter case; the exact name
    // when it exists or when no entry matches.
    static QString findFile(const QString& folder, const QString& name);

  private:
    QString dataFolder_;
    int systemNumber_;
};

}  // namespace vel
