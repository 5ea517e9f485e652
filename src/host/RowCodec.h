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

    // Typed packing and reading of one column at a time (see FieldValueSink/Source); the
    // values are stored and read back exactly as packValue() and value() do.
    class Packer final : public FieldValueSink {
      public:
        Packer(const RowCodec& codec, PackedRow& row, QString* unfit);
        void setColumn(int column) { column_ = column; }
        void text(const QString& value) override;
        void number(double value) override;
        void boolean(bool value) override;
        void date(const QDate& value) override;
        void time(const QTime& value) override;

      private:
        friend class RowCodec;
        template <class Assign>
        void store(Assign assign);
        const RowCodec& codec_;
        char* record_;
        QString* unfit_;
        int column_ = 0;
    };
    class Reader final : public FieldValueSource {
      public:
        // A row of another length (none is made) reads as blank.
        Reader(const RowCodec& codec, const PackedRow& row)
            : codec_(codec),
              record_((row.size() == codec.recordLength_ ? row : codec.blankPacked_).constData()) {}
        void setColumn(int column) { column_ = column; }
        QString text() const override;
        double number() const override;
        bool boolean() const override;
        QDate date() const override;
        QTime time() const override;

      private:
        const xbase::FieldDescriptor& field() const { return codec_.layout_[column_]; }
        const RowCodec& codec_;
        const char* record_;
        int column_ = 0;
    };

  private:
    std::vector<ColumnShape> shapes_;
    QList<xbase::FieldDescriptor> layout_;
    int recordLength_ = 1;
    PackedRow blankPacked_;
    StoredRow blankRow_;
};

}  // namespace vel
