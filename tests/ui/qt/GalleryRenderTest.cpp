// Renders the control gallery offscreen, saves a picture of every tab page for people to look
// at, and checks the layout facts a person relies on.
#include "RenderedForm.h"

#include "ui/ControlGallery.h"
#include "ui/TabStrip.h"

#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace vel {
namespace {

using testing::pictureFolder;
using testing::RenderedForm;

TEST(GalleryRendering, SavesAPictureOfEveryTabPage) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    auto* tabs = rendered->widgetAs<QTabWidget>(QStringLiteral("TabStrip1"));
    ASSERT_NE(tabs, nullptr);
    auto& strip = gallery.controlAs<TabStrip>(QStringLiteral("TabStrip1"));
    for (int number = 1; number <= strip.count(); ++number) {
        strip.select(number);
        rendered->flush();
        QCoreApplication::processEvents();
        EXPECT_EQ(tabs->currentIndex(), number - 1);
        const QString file =
            QStringLiteral("%1/gallery-tab%2.png").arg(pictureFolder()).arg(number);
        const QImage picture = rendered->dialog()->grab().toImage();
        ASSERT_TRUE(picture.save(file)) << file.toStdString();
        EXPECT_GT(picture.width(), 400);
        EXPECT_GT(picture.height(), 300);
    }
}

}  // namespace
}  // namespace vel
