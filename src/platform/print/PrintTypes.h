#pragma once
// The small value types of the printer object: text styles, alignments, output modes and the
// page coordinate system. Page coordinates are in units of 1/600 inch from the top-left corner
// of the printable area; every back end scales them to its own device.
#include <QtGlobal>

namespace vel {

// Units of the page coordinate system per inch.
constexpr int PrintUnitsPerInch = 600;

// Converts points (1/72 inch) to page units.
constexpr double pointsToPrintUnits(double points) {
    return points * PrintUnitsPerInch / 72.0;
}

// Style flags of a printed line; they combine (3 = bold and emphasised).
enum PrintStyle { PrintPlain = 0, PrintBold = 1, PrintEmphasised = 2, PrintUnderline = 4 };

// Alignment of printed lines, with the values the reports pass.
enum class PrintAlignment { Left = 1, Right = 2, Centre = 3 };

// Output mode: text pages (1), or graphics pages (2) on which a drawing without a given height
// takes the rest of the page.
enum class PrintOutputMode { Text = 1, Graphics = 2 };

enum class PrintOrientation { Portrait = 1, Landscape = 2 };

}  // namespace vel
