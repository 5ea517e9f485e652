#pragma once
// The settings the associate editor reads when its window loads: the badge slots (names, how
// many show, which are exempt from the duplicate test, whether a badge may hold a space) and
// where and by what key the punch lookup file is kept.
#include <QString>
#include <array>

namespace vel {

class VelmorSystem;

struct AssociateSettings {
    static constexpr int BadgeSlots = 10;

    std::array<QString, BadgeSlots> badgeNames;  // "Badge #" unless named
    QString ignoreDuplicates;                    // searched as text for a slot's number
    bool allowSpaceInBadges = false;
    int numberToShow = 5;  // clamped to 1 to 10
    QString lookupFolder;  // empty: no punch lookup file
    int lookupBadge = 0;   // 1 to 5: that badge is the punch key

    // Sections "Badges" and "AssocLookup" of the system's settings.
    static AssociateSettings read(VelmorSystem& system);

    // The label of a badge slot (1 to 10): name, " (", slot, "):".
    QString badgeCaption(int slot) const;
    // Whether the slot's number is found in IgnoreDuplicates (a text search: "10" holds 1 too).
    bool exemptFromDuplicateTest(int slot) const;
};

}  // namespace vel
