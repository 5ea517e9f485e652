#pragma once
// PrintAPIs: the drawing routines of the report charts on the printer object's drawing surface,
// which plays the device context: pen width in device units, a cached pen, a line drawn a number
// of times, and text width.
//
// The pen cache (one per thread) remembers the last pen made: its width, surface, style and
// colour. SelectPen makes a pen only when one of the four differs.
#include "platform/print/DrawingSurface.h"

#include <optional>

namespace vel::PrintAPIs {

// Width in device units of a pen given in hundredths of an inch: 0 on a character-stream device,
// 1 for a width below 1, else horizontal units per inch x width / 100, rounded half up.
int PenWidthInDeviceUnits(const DrawingSurface& surface, double hundredthsOfInch);

// Makes the pen current on the surface; a new pen is made only when width, surface, style or
// colour differ from the cached pen. Answers the surface's previous pen when that was not the
// cached one, so the caller can put it back; otherwise the replaced cached pen is dropped and
// the answer is empty.
std::optional<DrawingSurface::Pen> SelectPen(DrawingSurface& surface, int width,
                                             DrawingSurface::PenStyle style, const QColor& colour);

// Draws the line from (x1, y1) to (x2, y2) count times; nothing for a count below 1.
void DrawLine(DrawingSurface& surface, int x1, int y1, int x2, int y2, int count = 1);

// Width of the text in page units on the surface, or on the module's default surface (the
// standard page set-up) when none is given; 0 for an empty text.
int TextWidth(const QString& text, const DrawingSurface* surface = nullptr);

// How many pens SelectPen has made on this thread, and a fresh cache (for a new print job).
int PensMade();
void ResetPenCache();

}  // namespace vel::PrintAPIs
