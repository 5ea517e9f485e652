// Renders the control gallery offscreen, saves a picture of every tab page for people to look
// at, and checks the layout facts a person relies on.
#include "RenderedForm.h"

#include "ui/ControlGallery.h"
#include "ui/TabStrip.h"

#include <gtest/gtest.h>
#include <QDialog>
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

// The layout facts of a well-made dialog: OK and Cancel at the bottom right, caption labels in
// one aligned column with their fields as buddies, text boxes as wide as their length limits.
TEST(GalleryRendering, LaysOutLabelsFieldsAndButtonsAsADesktopDialog) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    QDialog* dialog = rendered->dialog();
    const auto placeOf = [dialog](QWidget* widget) {
        return QRect(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
    };

    auto* ok = rendered->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(1)"));
    auto* cancel = rendered->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(2)"));
    auto* tabs = rendered->widgetAs<QTabWidget>(QStringLiteral("TabStrip1"));
    const QRect okPlace = placeOf(ok);
    const QRect cancelPlace = placeOf(cancel);
    EXPECT_GT(okPlace.top(), placeOf(tabs).bottom());
    EXPECT_EQ(okPlace.top(), cancelPlace.top());
    EXPECT_GT(std::max(okPlace.right(), cancelPlace.right()), dialog->width() - 30);
    EXPECT_GT(std::min(okPlace.left(), cancelPlace.left()), dialog->width() / 2);
    EXPECT_TRUE(ok->isDefault());

    // Each captioned field has its label on the left, all labels of a frame in one column.
    QList<int> labelLefts;
    for (const char* path : {"txtCode", "txtName", "cboWorkCenter", "cboUnit", "txtChangedBy"}) {
        QWidget* field = rendered->widgetFor(QString::fromLatin1(path));
        QLabel* caption = nullptr;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            caption = label->buddy() == field ? label : caption;
        }
        ASSERT_NE(caption, nullptr) << path;
        EXPECT_LT(placeOf(caption).right(), placeOf(field).left()) << path;
        EXPECT_NEAR(placeOf(caption).center().y(), placeOf(field).center().y(), 3) << path;
        labelLefts << placeOf(caption).left();
        EXPECT_EQ(placeOf(field).left(),
                  placeOf(rendered->widgetFor(QStringLiteral("txtCode"))).left())
            << path;
    }
    EXPECT_EQ(labelLefts.count(labelLefts.front()), labelLefts.size());

    // A 10-character code box is narrower than a 30-character name box, and both hold their text.
    auto* code = rendered->widgetAs<QLineEdit>(QStringLiteral("txtCode"));
    auto* name = rendered->widgetAs<QLineEdit>(QStringLiteral("txtName"));
    EXPECT_LT(code->width(), name->width());
    EXPECT_GE(code->width(),
              code->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMM")) * 3 / 4);
    EXPECT_EQ(code->maxLength(), 10);
}

}  // namespace
}  // namespace vel
