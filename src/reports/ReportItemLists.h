#pragma once
// The lists of a report window's combo boxes: the active records of a table by name.
class QString;

namespace vel {

class ComboBox;
template <class Record>
class Table;

// Fills a combo box with the active records of a table by name (description, or code when it
// has none), in name order, each with its record number as item data.
template <class Record>
void fillByName(ComboBox& combo, Table<Record>& table);

}  // namespace vel
