#include "platform/print/PrintDocument.h"

namespace vel {

PrintPage& PrintDocument::addPage() {
    pages_.emplace_back();
    return pages_.back();
}

QStringList PrintDocument::textLines() const {
    QStringList lines;
    for (size_t number = 0; number < pages_.size(); ++number) {
        if (number > 0) {
            lines << QStringLiteral("\f");
        }
        for (const PrintElement& element : pages_[number].elements) {
            switch (element.kind) {
                case PrintElement::Kind::Text:
                case PrintElement::Kind::TableRow:
                    lines << element.text;
                    break;
                case PrintElement::Kind::Separator:
                    lines << QString(setup_.charactersPerLine(), u'-');
                    break;
                case PrintElement::Kind::Drawing:
                    break;
            }
        }
    }
    return lines;
}

}  // namespace vel
