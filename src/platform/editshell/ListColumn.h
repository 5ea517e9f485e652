#pragma once
// A column of the editor shell's list: its caption, its column number (position from 0), its
// width in average characters, and its kind. A Number column shows each line's record number;
// the editor gives texts for the Text and Figure columns only; a Figure column holds numbers
// of the record (a list sequence, a count) and is right-aligned like the Number column.
#include <QString>

namespace vel {

struct ListColumn {
    enum class Kind { Text, Number, Figure };

    QString caption;
    int columnNumber = 0;
    Kind kind = Kind::Text;
    int width = 12;
};

}  // namespace vel
