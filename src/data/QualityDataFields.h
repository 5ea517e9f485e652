#pragma once
// The data fields that posted quality data of one type of work updates. Six for the type of
// work itself (auditable units and hours, accuracy base units, audited units, total failure cost
// and hours), then for each enabled mistake category (catch, check, audit) and each valid
// mistake two more: occurrences and units of a catch, failure occurrences and failure units of a
// check or an audit.
//
// Each field of the pool is known by its description, "TOW " + the type of work's code + " " +
// what it holds ("TOW PICK Auditable Units", "TOW PICK Check M12 Failure Units": mistakes by
// record number, so that the description stays within the pool's 50 characters). Every field
// of a type of work thus begins with the holder "TOW " + code + " ".
#include <QString>

#include <functional>
#include <vector>

namespace vel {

struct TypeOfWorkRecord;

struct QualityFieldRow {
    QString typeOfData;   // "Quality", or the category: "Catch", "Check", "Audit"
    QString text;         // "Auditable Units", "Catch Wrong pick Occurrences"
    QString description;  // the pool field's description
};

// The rows of a type of work that tracks quality (none when it does not), in grid order;
// mistakeName gives a mistake's description by its record number.
std::vector<QualityFieldRow> qualityFieldRows(const TypeOfWorkRecord& type,
                                              const std::function<QString(int)>& mistakeName);

// "TOW " + code + " ": the beginning of every field description of the type of work.
QString qualityFieldHolder(const QString& typeOfWorkCode);

// The category words, in the order of TypeOfWorkRecord::Category.
QString categoryName(int category);

}  // namespace vel
