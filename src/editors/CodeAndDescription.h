#pragma once
// The two boxes most record windows open with: the code, Text1(0), typed through the code keys
// (upper case) up to 10 characters, and the description, Text1(1), up to 30.
#include "ui/Container.h"
#include "ui/TextBox.h"

namespace vel {

struct CodeAndDescription {
    TextBox* code;
    TextBox* description;
};

inline CodeAndDescription declareCodeAndDescription(Container& page) {
    TextBox& code = page.textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Code:"))
                        .keys(KeyFilter::code())
                        .maxLength(10);
    TextBox& description = page.textBox(QStringLiteral("Text1"), 1, QStringLiteral("&Description:"))
                               .keys(KeyFilter::name())
                               .maxLength(30);
    return {&code, &description};
}

}  // namespace vel
