#pragma once
// An index key expression compiled against a table's fields: a field name, UPPER(...), DTOS(date)
// and concatenations with "+" of character fields. Keys are the raw Windows-1252 bytes of the
// parts, so they compare as bytes.
#include "platform/xbase/FieldDescriptor.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace vel::xbase {

class KeyExpression {
  public:
    // Compiles text against the fields; throws XbaseError (BadExpression) naming the problem.
    static KeyExpression compile(const QString& text, const QList<FieldDescriptor>& fields);
    // The canonical spelling of an expression: upper case, no blanks ("UPPER(CODE)+LNAME").
    static QString canonical(const QString& text);

    const QString& text() const { return text_; }
    int keyLength() const { return keyLength_; }
    // True when the other expression text means the same key as this one.
    bool matches(const QString& otherText) const { return canonical(otherText) == text_; }

    // Writes the key of a record (keyLength bytes) to key.
    void evaluate(const char* record, char* key) const;
    QByteArray evaluate(const char* record) const;

  private:
    struct Part {
        int offset = 0;  // in the record
        int length = 0;
        bool upper = false;
    };

    QString text_;
    QList<Part> parts_;
    int keyLength_ = 0;
};

}  // namespace vel::xbase
