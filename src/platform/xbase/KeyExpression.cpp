#include "platform/xbase/KeyExpression.h"

#include "platform/xbase/CodePage1252.h"
#include "platform/xbase/XbaseError.h"

#include <cstring>

namespace vel::xbase {
namespace {

constexpr int maximumKeyLength = 100;
constexpr int maximumExpressionLength = 220;

// A small recursive-descent parser over the canonical text.
class Parser {
  public:
    Parser(const QString& text, const QList<FieldDescriptor>& fields)
        : text_(text), fields_(fields) {}

    struct Part {
        int offset;
        int length;
        bool upper;
    };

    QList<Part> parse() {
        QList<Part> parts;
        expression(parts, false);
        if (position_ != text_.size()) {
            fail(QStringLiteral("unexpected \"%1\"").arg(text_.mid(position_)));
        }
        return parts;
    }

  private:
    void expression(QList<Part>& parts, bool upper) {
        term(parts, upper);
        while (peek() == QLatin1Char('+')) {
            ++position_;
            term(parts, upper);
        }
    }

    void term(QList<Part>& parts, bool upper) {
        if (peek() == QLatin1Char('(')) {
            ++position_;
            expression(parts, upper);
            expect(QLatin1Char(')'));
            return;
        }
        const QString name = identifier();
        if (peek() == QLatin1Char('(')) {
            ++position_;
            if (name == QLatin1String("UPPER")) {
                expression(parts, true);
            } else if (name == QLatin1String("DTOS")) {
                const FieldDescriptor& field = lookUp(identifier());
                if (field.type != FieldType::Date) {
                    fail(QStringLiteral("DTOS needs a date field, %1 is not one").arg(field.name));
                }
                parts.append({field.offset, field.length, upper});
            } else {
                fail(QStringLiteral("the function %1 is not supported").arg(name));
            }
            expect(QLatin1Char(')'));
            return;
        }
        const FieldDescriptor& field = lookUp(name);
        if (field.type != FieldType::Character) {
            fail(QStringLiteral("field %1 is not a character field (use DTOS for dates)")
                     .arg(field.name));
        }
        parts.append({field.offset, field.length, upper});
    }

    const FieldDescriptor& lookUp(const QString& name) {
        for (const FieldDescriptor& field : fields_) {
            if (field.name == name) {
                return field;
            }
        }
        fail(QStringLiteral("the table has no field %1").arg(name));
    }

    QString identifier() {
        const int start = position_;
        while (position_ < text_.size() &&
               (text_[position_].isLetterOrNumber() || text_[position_] == QLatin1Char('_'))) {
            ++position_;
        }
        if (start == position_) {
            fail(position_ < text_.size()
                     ? QStringLiteral("unexpected \"%1\"").arg(text_[position_])
                     : QStringLiteral("the expression ends too early"));
        }
        return text_.mid(start, position_ - start);
    }

    QChar peek() const { return position_ < text_.size() ? text_[position_] : QChar(); }

    void expect(QChar character) {
        if (peek() != character) {
            fail(QStringLiteral("\"%1\" expected").arg(character));
        }
        ++position_;
    }

    [[noreturn]] void fail(const QString& problem) const {
        throw XbaseError(ErrorCode::BadExpression,
                         QStringLiteral("key expression \"%1\": %2").arg(text_, problem));
    }

    const QString& text_;
    const QList<FieldDescriptor>& fields_;
    int position_ = 0;
};

}  // namespace

QString KeyExpression::canonical(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (QChar character : text) {
        if (!character.isSpace() && character != QChar(0)) {
            result.append(character.toUpper());
        }
    }
    return result;
}

KeyExpression KeyExpression::compile(const QString& text, const QList<FieldDescriptor>& fields) {
    KeyExpression expression;
    expression.text_ = canonical(text);
    if (expression.text_.isEmpty() || expression.text_.size() > maximumExpressionLength) {
        throw XbaseError(ErrorCode::BadExpression,
                         QStringLiteral("key expression \"%1\" is empty or too long").arg(text));
    }
    Parser parser(expression.text_, fields);
    for (const Parser::Part& part : parser.parse()) {
        expression.parts_.append({part.offset, part.length, part.upper});
        expression.keyLength_ += part.length;
    }
    if (expression.keyLength_ > maximumKeyLength) {
        throw XbaseError(ErrorCode::BadExpression,
                         QStringLiteral("key expression \"%1\" gives %2-byte keys; at most %3")
                             .arg(expression.text_)
                             .arg(expression.keyLength_)
                             .arg(maximumKeyLength));
    }
    return expression;
}

void KeyExpression::evaluate(const char* record, char* key) const {
    for (const Part& part : parts_) {
        const char* source = record + part.offset;
        if (part.upper) {
            for (int index = 0; index < part.length; ++index) {
                key[index] = char(CodePage1252::upper(static_cast<unsigned char>(source[index])));
            }
        } else {
            std::memcpy(key, source, size_t(part.length));
        }
        key += part.length;
    }
}

QByteArray KeyExpression::evaluate(const char* record) const {
    QByteArray key(keyLength_, Qt::Uninitialized);
    evaluate(record, key.data());
    return key;
}

}  // namespace vel::xbase
