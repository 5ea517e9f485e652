#pragma once
// The output types a person may choose from in an export dialog: the delimited text files and the
// files with their own column structure (classes 1 and 2), in the writer's order, and how a
// chooser shows one: its description with the extension in brackets.
#include "platform/transfer/ExportOutputType.h"

namespace vel {

inline QList<ExportOutputType> choosableOutputTypes() {
    QList<ExportOutputType> types;
    for (const ExportOutputType& type : ExportOutputType::all()) {
        if (type.typeClass == ExportOutputType::TextClass ||
            type.typeClass == ExportOutputType::TableClass) {
            types.append(type);
        }
    }
    return types;
}

inline QString outputTypeChoiceText(const ExportOutputType& type) {
    return type.description + QStringLiteral(" (") + type.extension + u')';
}

}  // namespace vel
