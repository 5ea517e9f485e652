#include "platform/print/DrawingSurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>

namespace vel {

DrawingSurface::DrawingSurface(const PageSetup& setup, int width, int height)
    : setup_(setup), width_(width), height_(height) {}

int DrawingSurface::resolution() const {
    return setup_.characterStream ? 0 : PrintUnitsPerInch;
}

int DrawingSurface::penWidthInDeviceUnits(double hundredthsOfInch) const {
    if (resolution() == 0) {
        return 0;
    }
    if (hundredthsOfInch < 1) {
        return 1;
    }
    return int(std::floor(resolution() * hundredthsOfInch / 100.0 + 0.5));
}

bool DrawingSurface::selectPen(int width, PenStyle style, const QColor& colour) {
    const Pen wanted{width, style, colour};
    if (pensMade_ > 0 && wanted == pen_) {
        return false;
    }
    pen_ = wanted;
    ++pensMade_;
    return true;
}

void DrawingSurface::drawLine(int x1, int y1, int x2, int y2, int count) {
    for (int i = 0; i < count; ++i) {
        Shape shape;
        shape.kind = Shape::Kind::Line;
        shape.line = QLine(x1, y1, x2, y2);
        shape.pen = pen_;
        shapes_.push_back(shape);
    }
}

void DrawingSurface::fillRectangle(const QRect& area, const QColor& fill, bool outline) {
    Shape shape;
    shape.kind = Shape::Kind::Rectangle;
    shape.area = area;
    shape.pen = pen_;
    shape.filled = true;
    shape.outlined = outline;
    shape.fill = fill;
    shapes_.push_back(shape);
}

void DrawingSurface::rectangle(const QRect& area) {
    Shape shape;
    shape.kind = Shape::Kind::Rectangle;
    shape.area = area;
    shape.pen = pen_;
    shapes_.push_back(shape);
}

void DrawingSurface::drawText(int x, int y, const QString& text) {
    Shape shape;
    shape.kind = Shape::Kind::Text;
    shape.area = QRect(x, y, textWidth(text), setup_.lineHeight());
    shape.pen = pen_;
    shape.text = text;
    shapes_.push_back(shape);
}

int DrawingSurface::textWidth(const QString& text) const {
    if (text.isEmpty()) {
        return 0;
    }
    if (setup_.characterStream) {
        return int(text.size());
    }
    // Font metrics need the graphical application; without one, the average character width.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return int(text.size()) * setup_.characterWidth();
    }
    QFont font(setup_.fontFamily);
    font.setPixelSize(int(std::lround(pointsToPrintUnits(setup_.fontPoints))));
    return int(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

}  // namespace vel
