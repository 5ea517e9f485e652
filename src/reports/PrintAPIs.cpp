#include "reports/PrintAPIs.h"

namespace vel::PrintAPIs {

namespace {

struct PenCache {
    bool held = false;
    const DrawingSurface* surface = nullptr;
    DrawingSurface::Pen pen;
    int made = 0;
};

PenCache& cache() {
    thread_local PenCache penCache;
    return penCache;
}

}  // namespace

int PenWidthInDeviceUnits(const DrawingSurface& surface, double hundredthsOfInch) {
    return surface.penWidthInDeviceUnits(hundredthsOfInch);
}

std::optional<DrawingSurface::Pen> SelectPen(DrawingSurface& surface, int width,
                                             DrawingSurface::PenStyle style, const QColor& colour) {
    PenCache& cached = cache();
    const DrawingSurface::Pen wanted{width, style, colour};
    // A surface on which no pen was ever made is a new one, even at a reused address.
    const bool sameSurface = cached.held && cached.surface == &surface && surface.pensMade() > 0;
    if (sameSurface && cached.pen == wanted) {
        return std::nullopt;
    }
    const bool previousWasCached = sameSurface && cached.pen == surface.pen();
    const DrawingSurface::Pen previous = surface.pen();
    surface.selectPen(width, style, colour);
    cached.held = true;
    cached.surface = &surface;
    cached.pen = wanted;
    ++cached.made;
    if (previousWasCached) {
        return std::nullopt;
    }
    return previous;
}

void DrawLine(DrawingSurface& surface, int x1, int y1, int x2, int y2, int count) {
    if (count >= 1) {
        surface.drawLine(x1, y1, x2, y2, count);
    }
}

int TextWidth(const QString& text, const DrawingSurface* surface) {
    if (text.isEmpty()) {
        return 0;
    }
    if (!surface) {
        static const DrawingSurface standard(PageSetup{}, 1, 1);
        return standard.textWidth(text);
    }
    return surface->textWidth(text);
}

int PensMade() {
    return cache().made;
}

void ResetPenCache() {
    cache() = PenCache{};
}

}  // namespace vel::PrintAPIs
