#pragma once
// A drawing surface: a block of a page reserved for bars and lines. Shapes are kept in the page
// coordinate system (1/600 inch) with the origin at the block's top-left corner; the back ends
// paint them. It also answers the device questions of the report drawing routines: pen width in
// device units, a cached pen, a line drawn a number of times, and text width.
#include "platform/print/PageSetup.h"

#include <QColor>
#include <QLine>
#include <QRect>
#include <QString>
#include <vector>

namespace vel {

class DrawingSurface {
  public:
    enum class PenStyle { Solid = 0, Dash = 1, Dot = 2 };

    struct Pen {
        int width = 1;  // in page units
        PenStyle style = PenStyle::Solid;
        QColor colour = Qt::black;
        bool operator==(const Pen&) const = default;
    };
    struct Shape {
        enum class Kind { Line, Rectangle, Text } kind = Kind::Line;
        QRect area;  // a line runs from area.topLeft() to area.bottomRight()
        QLine line;
        Pen pen;
        bool filled = false;   // a rectangle with a solid brush
        bool outlined = true;  // a rectangle with an outline in the pen
        QColor fill;
        QString text;
    };

    DrawingSurface(const PageSetup& setup, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // Device resolution in units per inch; 0 on a character-stream device.
    int resolution() const;

    // Width in device units of a pen given in hundredths of an inch: 0 on a character-stream
    // device, 1 for a width below 1, else resolution x width / 100 rounded half up.
    int penWidthInDeviceUnits(double hundredthsOfInch) const;
    // Makes the pen current; a new pen is made only when width, style or colour differ from the
    // current one. Returns true when a new pen was made.
    bool selectPen(int width, PenStyle style, const QColor& colour);
    int pensMade() const { return pensMade_; }
    const Pen& pen() const { return pen_; }

    // Draws the line from (x1, y1) to (x2, y2) count times in the current pen (nothing for a
    // count below 1), as a denser line on devices that need it.
    void drawLine(int x1, int y1, int x2, int y2, int count = 1);
    // A rectangle filled with a solid brush, outlined in the current pen when outline is set.
    void fillRectangle(const QRect& area, const QColor& fill, bool outline = false);
    void rectangle(const QRect& area);  // an outline in the current pen
    void drawText(int x, int y, const QString& text);
    // Width of the text in page units in the body font (characters on a character stream);
    // 0 for an empty text.
    int textWidth(const QString& text) const;

    const std::vector<Shape>& shapes() const { return shapes_; }

  private:
    PageSetup setup_;
    int width_;
    int height_;
    Pen pen_;
    int pensMade_ = 0;
    std::vector<Shape> shapes_;
};

}  // namespace vel
