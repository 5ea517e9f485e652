#include "editors/AssociateSettings.h"

#include "data/VelmorSystem.h"
#include "services/IniSettings.h"

#include <algorithm>

namespace vel {

AssociateSettings AssociateSettings::read(VelmorSystem& system) {
    AssociateSettings result;
    IniSettings settings(system.settingsLocation());
    settings.selectSection(QStringLiteral("Badges"));
    for (int slot = 1; slot <= BadgeSlots; ++slot) {
        result.badgeNames[size_t(slot - 1)] =
            settings.readValue(QString::number(slot), QStringLiteral("Badge #"));
    }
    result.ignoreDuplicates = settings.readValue(QStringLiteral("IgnoreDuplicates"), QString());
    result.allowSpaceInBadges =
        SettingsObject::isTrue(settings.readValue(QStringLiteral("AllowSpaceinBadges"), QString()));
    result.numberToShow = std::clamp(
        settings.readValue(QStringLiteral("NumbertoShow"), QStringLiteral("5")).trimmed().toInt(),
        1, BadgeSlots);
    settings.selectSection(QStringLiteral("AssocLookup"));
    result.lookupFolder = settings.readValue(QStringLiteral("Folder"), QString()).trimmed();
    result.lookupBadge =
        settings.readValue(QStringLiteral("BadgeNumber"), QStringLiteral("0")).trimmed().toInt();
    if (result.lookupBadge < 1 || result.lookupBadge > 5) {
        result.lookupBadge = 0;
    }
    return result;
}

QString AssociateSettings::badgeCaption(int slot) const {
    return badgeNames[size_t(slot - 1)] + QStringLiteral(" (") + QString::number(slot) +
           QStringLiteral("):");
}

bool AssociateSettings::exemptFromDuplicateTest(int slot) const {
    return ignoreDuplicates.contains(QString::number(slot));
}

}  // namespace vel
