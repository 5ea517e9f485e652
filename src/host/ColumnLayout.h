#pragma once
// How the fields of a record type become the columns of an xBase table. A field keeps its column
// name when one is given (the names the table exports use: "LastName" is LNAME); otherwise the
// name is upper-cased and cut to 10 characters, keeping a trailing number whole ("TOWValid99" is
// TOWVALID99, "UnitsField12" is UNITSFIE12); a name that is still taken gets a counter.
#include "data/RecordFields.h"
#include "platform/xbase/FieldDescriptor.h"

#include <QHash>
#include <QList>
#include <vector>

namespace vel {

struct ColumnShape {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;
    int decimals = 0;
};

// The shapes of a record type's fields, in field order.
template <class Record>
std::vector<ColumnShape> shapesOf() {
    std::vector<ColumnShape> shapes;
    for (const Field<Record>& entry : Record::fields()) {
        shapes.push_back({entry.name, entry.type, entry.size, entry.decimals});
    }
    return shapes;
}

class ColumnLayout {
  public:
    // Text of unknown size is 30 wide; whole numbers 10; numbers 15 with 5 decimals; times are
    // stored as "HH:mm:ss" text.
    static QList<xbase::FieldDescriptor> columnsFor(const std::vector<ColumnShape>& shapes,
                                                    const QHash<QString, QString>& names);
    // The column name of one field before the uniqueness counter.
    static QString columnName(const QString& fieldName);
};

}  // namespace vel
