#pragma once
// What the record window asks of the list after it closes: nothing, or to open the previous or
// next line of the list (the record window's btnMove buttons "Display Previous Line" and
// "Display Next Line").
namespace vel {

enum class RecordMove { None = 0, Previous = 1, Next = 2 };

}  // namespace vel
