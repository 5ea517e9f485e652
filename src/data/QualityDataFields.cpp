#include "data/QualityDataFields.h"

#include "data/records/TypeOfWorkRecord.h"

namespace vel {

QString qualityFieldHolder(const QString& typeOfWorkCode) {
    return QStringLiteral("TOW ") + typeOfWorkCode.trimmed() + QStringLiteral(" ");
}

QString categoryName(int category) {
    switch (category) {
        case TypeOfWorkRecord::Catch:
            return QStringLiteral("Catch");
        case TypeOfWorkRecord::Check:
            return QStringLiteral("Check");
        default:
            return QStringLiteral("Audit");
    }
}

std::vector<QualityFieldRow> qualityFieldRows(const TypeOfWorkRecord& type,
                                              const std::function<QString(int)>& mistakeName) {
    std::vector<QualityFieldRow> rows;
    if (!type.TrackQuality) {
        return rows;
    }
    const QString holder = qualityFieldHolder(type.Code);
    for (const char* text : {"Auditable Units", "Auditable Hours", "Accuracy Base Units",
                             "Audited Units", "Total Failure Cost", "Total Failure Hours"}) {
        const QString name = QString::fromLatin1(text);
        rows.push_back({QStringLiteral("Quality"), name, holder + name});
    }
    for (int category = 0; category < TypeOfWorkRecord::Categories; ++category) {
        if (!type.CategoryEnabled[size_t(category)]) {
            continue;
        }
        const QString word = categoryName(category);
        const bool caught = category == TypeOfWorkRecord::Catch;
        const QString occurrences =
            caught ? QStringLiteral(" Occurrences") : QStringLiteral(" Failure Occurrences");
        const QString units = caught ? QStringLiteral(" Units") : QStringLiteral(" Failure Units");
        for (const int mistake : type.Mistake) {
            if (mistake <= 0) {
                continue;
            }
            const QString shown = word + QStringLiteral(" ") + mistakeName(mistake).trimmed();
            const QString stored = holder + word + QStringLiteral(" M") + QString::number(mistake);
            rows.push_back({word, shown + occurrences, stored + occurrences});
            rows.push_back({word, shown + units, stored + units});
        }
    }
    return rows;
}

}  // namespace vel
