#include "services/ApplicationTitle.h"

namespace vel {

namespace {
QString& storedTitle() {
    static QString title = QStringLiteral("Velmor");
    return title;
}
}  // namespace

QString applicationTitle() {
    return storedTitle();
}

void setApplicationTitle(const QString& title) {
    storedTitle() = title;
}

}  // namespace vel
