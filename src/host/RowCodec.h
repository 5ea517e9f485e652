#pragma once
// Rows of a record table held as record bytes: one QByteArray per row, laid out as a record of
// the table's file (deletion flag, then each column as the file stores it, in the table's column
// order). A row costs its record length instead of a list of variants, compares with one memcmp
// and is written to the file without converting its values again. Values are decoded when asked
// for; packing a row brings each value to what the file would give back.
#include "host/ColumnLayout.h"
#include "platform/xbase/FieldDescriptor.h"

#include <QByteArray>
#include <QList>
#include <QVariantList>
#include <vector>

namespace vel {

using StoredRow = QVariantList;
using PackedRow = QByteArray;

class RowCodec {
  public:
    RowCodec() = default;
    // Each column in the given type, width and decimals, one after the other after the flag.
    RowCodec(std::vector<ColumnShape> shapes, const QList<xbase::FieldDescriptor>& columns);

    const std::vector<ColumnShape>& shapes() const { return shapes_; }
    const QList<xbase::FieldDescriptor>& layout() const { return layout_; }
    int recordLength() const { return recordLength_; }

    const PackedRow& blank() const { return blankPacked_; }
    const StoredRow& blankRow() const { return blankRow_; }
    // The row packed; a value that does not fit its column is left blank and named in *unfit
    // ("field WAGE: ..."), so that a save can refuse the row.
    PackedRow pack(const StoredRow& row, QString* unfit = nullptr) const;
    // Packs one value into a row of this codec (the same rules as pack()).
    void packValue(PackedRow& row, int column, const QVariant& value, QString* unfit) const;
    StoredRow unpack(const PackedRow& row) const;
    QVariant value(const PackedRow& row, int column) const;
    // Whether two rows hold the same values: equal bytes, or fields whose bytes differ but read
    // as the same value (another program may space a number differently).
    bool sameValues(const PackedRow& first, const PackedRow& second) const;

  private:
    std::vector<ColumnShape> shapes_;
    QList<xbase::FieldDescriptor> layout_;
    int recordLength_ = 1;
    PackedRow blankPacked_;
    StoredRow blankRow_;
};

}  // namespace vel
