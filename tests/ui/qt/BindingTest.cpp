// Both directions of the binding between a form and its rendered dialog: a person's input goes
// through the controls' user operations (key filters, refusals, limits), program changes show
// in the widgets, and the window's frame asks the form before it closes.
#include "RenderedForm.h"

#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/ControlGallery.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/HeadlessUi.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/ListView.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/SaveButtons.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/qt/DateField.h"
#include "ui/qt/OrderedSelectWidget.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace vel {
namespace {

using testing::RenderedForm;

// Two option arrays in one frame, save buttons, and a QueryUnload that can refuse.
class ChoiceForm : public Form {
public:
    ChoiceForm() : Form(QStringLiteral("frmChoice"), QStringLiteral("Choices")) {
        Frame& choices = frame(QStringLiteral("fraChoices"), QStringLiteral("Choices"));
        choices.option(QStringLiteral("optSize"), 0, QStringLiteral("&Small"));
        choices.option(QStringLiteral("optSize"), 1, QStringLiteral("&Large"));
        choices.option(QStringLiteral("optColour"), 0, QStringLiteral("&Red"));
        choices.option(QStringLiteral("optColour"), 1, QStringLiteral("&Blue"));
        saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int button) {
            pressed = button;
            hide();
        });
    }
    bool refuseClose = true;
    int queries = 0;
    int lastMode = -1;
    int pressed = 0;

protected:
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override {
        ++queries;
        lastMode = mode;
        cancel = refuseClose;
    }
};

QRadioButton* radio(FormRenderer& renderer, const QString& path) {
    return renderer.widgetAs<QRadioButton>(path);
}

// A click on a button's indicator, where a person aims (the widget may be wider than its text).
void clickIndicator(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

TEST(TextBoxBinding, TypedKeysGoThroughTheKeyFilterIntoModelAndWidget) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    auto& code = gallery.controlAs<TextBox>(QStringLiteral("txtCode"));
    auto* edit = rendered->widgetAs<QLineEdit>(QStringLiteral("txtCode"));
    ASSERT_NE(edit, nullptr);
    int entries = 0;
    code.entered([&] { ++entries; });

    QTest::keyClicks(edit, QStringLiteral("{a$"));
    EXPECT_EQ(code.text(), QStringLiteral("[A"));
    EXPECT_EQ(edit->text(), QStringLiteral("[A"));
    EXPECT_EQ(edit->cursorPosition(), 2);

    // The caret moves in the widget; the next key lands where the person put it.
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, QStringLiteral("x"));
    EXPECT_EQ(code.text(), QStringLiteral("X[A"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(code.text(), QStringLiteral("[A"));
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(code.text(), QStringLiteral("A"));

    // The length limit holds, and pasted text is typed through the filter too.
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("bcdefghijklm"));
    EXPECT_EQ(code.text(), QStringLiteral("ABCDEFGHIJ"));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QStringLiteral("z{y$"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(code.text(), QStringLiteral("Z[Y"));
    EXPECT_EQ(edit->text(), QStringLiteral("Z[Y"));

    // Keys are not yet an entry; Return ends it, once.
    EXPECT_EQ(entries, 0);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(entries, 1);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(entries, 1) << "the same text again is no new entry";
}

TEST(TextBoxBinding, LockedBoxTakesNoKeysButEnterReachesTheDialog) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    auto* changedBy = rendered->widgetAs<QLineEdit>(QStringLiteral("txtChangedBy"));
    ASSERT_NE(changedBy, nullptr);
    EXPECT_TRUE(changedBy->isReadOnly());
    QTest::keyClicks(changedBy, QStringLiteral("me"));
    EXPECT_EQ(gallery.controlAs<TextBox>(QStringLiteral("txtChangedBy")).text(),
              QStringLiteral("system"));

    // Enter in a one-line box presses the default button: OK, which here closes the window.
    auto* code = rendered->widgetAs<QLineEdit>(QStringLiteral("txtCode"));
    QTest::keyClicks(code, QStringLiteral("pck"));
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_TRUE(gallery.confirmed());
    EXPECT_FALSE(gallery.isVisible());
    EXPECT_FALSE(rendered->dialog()->isVisible());
}

TEST(FormRendererBinding, ProgramChangesShowInTheWidgets) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    gallery.controlAs<TextBox>(QStringLiteral("txtName")).setText(QStringLiteral("Pick cases"));
    gallery.controlAs<ComboBox>(QStringLiteral("cboWorkCenter")).setListIndex(0);
    gallery.controlAs<CheckBox>(QStringLiteral("chkFlags(1)")).setChecked(true);
    gallery.controlAs<NumberBox>(QStringLiteral("nbStandard")).setValue(98.765);
    gallery.controlAs<DateBox>(QStringLiteral("dbEffective")).setDate(QDate(2024, 3, 1));
    gallery.controlAs<Grid>(QStringLiteral("grdStandards"))
        .setTextMatrix(2, 1, QStringLiteral("Pick singles"));
    gallery.controlAs<ListSelect>(QStringLiteral("lsWorkCenters")).setSelected(1, true);
    gallery.controlAs<ListView>(QStringLiteral("lvAllocations")).select(2);
    gallery.controlAs<Label>(QStringLiteral("lblNote")).setCaption(QStringLiteral("Changed note"));
    QCoreApplication::processEvents();  // changes are applied once the event loop turns

    EXPECT_EQ(rendered->widgetAs<QLineEdit>(QStringLiteral("txtName"))->text(),
              QStringLiteral("Pick cases"));
    EXPECT_EQ(rendered->widgetAs<QComboBox>(QStringLiteral("cboWorkCenter"))->currentText(),
              QStringLiteral("10 Receiving"));
    EXPECT_TRUE(rendered->widgetAs<QCheckBox>(QStringLiteral("chkFlags(1)"))->isChecked());
    EXPECT_DOUBLE_EQ(rendered->widgetAs<QDoubleSpinBox>(QStringLiteral("nbStandard"))->value(),
                     98.77);
    auto* date = qobject_cast<QCheckBox*>(rendered->widgetFor(QStringLiteral("dbEffective")));
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->isChecked());
    auto* dateField = qobject_cast<DateField*>(date->parentWidget());
    EXPECT_EQ(dateField->date(), QDate(2024, 3, 1));
    auto* table = rendered->widgetAs<QTableWidget>(QStringLiteral("grdStandards"));
    EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("Pick singles"));
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
    auto* workCenters = rendered->widgetAs<QListWidget>(QStringLiteral("lsWorkCenters"));
    EXPECT_EQ(workCenters->item(1)->checkState(), Qt::Checked);
    auto* allocations = rendered->widgetAs<QTreeWidget>(QStringLiteral("lvAllocations"));
    EXPECT_TRUE(allocations->topLevelItem(2)->isSelected());
    EXPECT_FALSE(allocations->topLevelItem(0)->isSelected());
    EXPECT_EQ(rendered->widgetAs<QLabel>(QStringLiteral("lblNote"))->text(),
              QStringLiteral("Changed note"));

    // Emptying the date clears its tick; a caption change reaches the caption label.
    gallery.controlAs<DateBox>(QStringLiteral("dbEffective")).setDate(QDate());
    gallery.control(QStringLiteral("txtName")).setCaption(QStringLiteral("&Description:"));
    rendered->flush();
    EXPECT_FALSE(date->isChecked());
    EXPECT_FALSE(dateField->date().isValid());
    auto* nameLabel = qobject_cast<QLabel*>(rendered->widgetFor(QStringLiteral("txtName"))
                                                ->parentWidget()
                                                ->findChildren<QLabel*>()
                                                .value(1));
    ASSERT_NE(nameLabel, nullptr);
    EXPECT_EQ(nameLabel->text(), QStringLiteral("&Description:"));
    EXPECT_EQ(nameLabel->buddy(), rendered->widgetFor(QStringLiteral("txtName")));
}

TEST(FormRendererBinding, EnabledVisibleAndLockedStateFollowTheModel) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    auto* corporate = rendered->widgetAs<QCheckBox>(QStringLiteral("chkFlags(2)"));
    EXPECT_FALSE(corporate->isEnabled());
    clickIndicator(corporate);
    EXPECT_TRUE(gallery.controlAs<CheckBox>(QStringLiteral("chkFlags(2)")).checked());

    // A disabled frame disables everything in it; hiding a field hides its label too.
    gallery.control(QStringLiteral("fraMeasure")).setEnabled(false);
    auto& name = gallery.control(QStringLiteral("txtName"));
    name.setVisible(false);
    gallery.control(QStringLiteral("txtCode")).setLocked(true);
    rendered->flush();
    EXPECT_FALSE(radio(*rendered, QStringLiteral("optMeasure(1)"))->isEnabled());
    auto* nameEdit = rendered->widgetFor(QStringLiteral("txtName"));
    EXPECT_FALSE(nameEdit->isVisible());
    for (QLabel* label : nameEdit->parentWidget()->findChildren<QLabel*>()) {
        if (label->buddy() == nameEdit) {
            EXPECT_FALSE(label->isVisible());
        }
    }
    auto* code = rendered->widgetAs<QLineEdit>(QStringLiteral("txtCode"));
    EXPECT_TRUE(code->isReadOnly());
    QTest::keyClicks(code, QStringLiteral("abc"));
    EXPECT_TRUE(gallery.controlAs<TextBox>(QStringLiteral("txtCode")).text().isEmpty());

    name.setVisible(true);
    gallery.setEnabled(false);
    rendered->flush();
    EXPECT_TRUE(nameEdit->isVisible());
    EXPECT_FALSE(nameEdit->isEnabled());  // the whole window is disabled
}

TEST(GridBinding, RefusedCellEditShowsTheOldTextAndAcceptedEditIsReformatted) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    HeadlessUi statusCatcher;  // the grid's refusal explains itself on the status display
    ScopedUi scoped(statusCatcher);
    auto& grid = gallery.controlAs<Grid>(QStringLiteral("grdStandards"));
    auto* table = rendered->widgetAs<QTableWidget>(QStringLiteral("grdStandards"));
    gallery.controlAs<TabStrip>(QStringLiteral("TabStrip1")).select(2);
    rendered->flush();

    const auto editCell = [&](int row, int col, const QString& typed) {
        QTableWidgetItem* item = table->item(row, col);
        table->setCurrentItem(item);
        table->editItem(item);
        QLineEdit* editor = nullptr;  // the open editor; closed ones linger until deleted
        for (QLineEdit* candidate : table->viewport()->findChildren<QLineEdit*>()) {
            editor = candidate->isVisible() ? candidate : editor;
        }
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    };

    editCell(0, 3, QStringLiteral("lots"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("120.00"));
    EXPECT_EQ(grid.textMatrix(1, 3), QStringLiteral("120.00"));
    EXPECT_TRUE(statusCatcher.transcript().lines().contains(
        QStringLiteral("status: Units per hour must be a number")));

    editCell(0, 3, QStringLiteral("150"));
    EXPECT_EQ(grid.textMatrix(1, 3), QStringLiteral("150.00"));
    EXPECT_EQ(table->item(0, 3)->text(), QStringLiteral("150.00"));
    EXPECT_EQ(table->item(0, 4)->text(), QStringLiteral("0.400"));

    // Only the editable column takes edits; fixed cells are not even selectable.
    EXPECT_FALSE(table->item(0, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(table->item(0, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 3);
}

TEST(OptionButtonBinding, OptionsOfOneArrayStayExclusiveAndArraysAreIndependent) {
    ChoiceForm form;
    RenderedForm rendered(form);
    auto* small = radio(*rendered, QStringLiteral("optSize(0)"));
    auto* large = radio(*rendered, QStringLiteral("optSize(1)"));
    auto* red = radio(*rendered, QStringLiteral("optColour(0)"));
    auto* blue = radio(*rendered, QStringLiteral("optColour(1)"));

    clickIndicator(small);
    clickIndicator(red);
    EXPECT_EQ(selectedOption(form, QStringLiteral("optSize")), 0);
    EXPECT_EQ(selectedOption(form, QStringLiteral("optColour")), 0);
    EXPECT_TRUE(small->isChecked());
    EXPECT_TRUE(red->isChecked());

    clickIndicator(large);
    EXPECT_EQ(selectedOption(form, QStringLiteral("optSize")), 1);
    EXPECT_FALSE(small->isChecked());
    EXPECT_TRUE(large->isChecked());
    EXPECT_TRUE(red->isChecked());

    // The program clears one by selecting another; a locked option refuses a click.
    form.controlAs<OptionButton>(QStringLiteral("optColour(1)")).setValue(true);
    form.control(QStringLiteral("optSize(0)")).setLocked(true);
    rendered->flush();
    EXPECT_TRUE(blue->isChecked());
    EXPECT_FALSE(red->isChecked());
    clickIndicator(small);
    EXPECT_FALSE(small->isChecked());
    EXPECT_TRUE(large->isChecked());
}

TEST(FormDialog, ClosingByTheFrameAsksQueryUnloadWhichMayKeepTheWindowOpen) {
    ChoiceForm form;
    RenderedForm rendered(form);
    QSignalSpy finished(rendered.renderer.get(), &FormRenderer::finished);

    rendered->dialog()->close();
    EXPECT_EQ(form.queries, 1);
    EXPECT_EQ(form.lastMode, Form::FormControlMenu);
    EXPECT_TRUE(form.isLoaded());
    EXPECT_TRUE(rendered->dialog()->isVisible());
    EXPECT_EQ(finished.count(), 0);

    form.refuseClose = false;
    rendered->dialog()->close();
    EXPECT_FALSE(form.isLoaded());
    EXPECT_FALSE(rendered->dialog()->isVisible());
    EXPECT_EQ(finished.count(), 1);
}

TEST(FormDialog, EscapePressesTheCancelButtonAndEnterTheDefaultOne) {
    ChoiceForm form;
    RenderedForm rendered(form);
    auto* ok = rendered->widgetAs<QPushButton>(QStringLiteral("SaveButtons1(1)"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(rendered->dialog(), Qt::Key_Escape);
    EXPECT_EQ(form.pressed, SaveButtons::Cancel);
    EXPECT_FALSE(rendered->dialog()->isVisible());
    EXPECT_EQ(form.queries, 0);  // Cancel hides the window; nothing asked to unload it

    form.show();
    rendered->dialog()->show();
    QTest::keyClick(rendered->dialog(), Qt::Key_Return);
    EXPECT_EQ(form.pressed, SaveButtons::OK);
}

TEST(FormRendererBinding, FocusFollowsTheFormBothWays) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    QApplication::setActiveWindow(rendered->dialog());
    auto* tabs = rendered->widgetAs<QTabWidget>(QStringLiteral("TabStrip1"));

    gallery.control(QStringLiteral("grdStandards")).setFocus();
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), rendered->widgetFor(QStringLiteral("grdStandards")));

    gallery.controlAs<TabStrip>(QStringLiteral("TabStrip1")).select(1);
    rendered->flush();
    rendered->widgetFor(QStringLiteral("txtName"))->setFocus();
    EXPECT_EQ(gallery.focused(), &gallery.control(QStringLiteral("txtName")));
}

TEST(ListBindings, PersonsSelectionsTicksAndPicksReachTheModel) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    HeadlessUi statusCatcher;
    ScopedUi scoped(statusCatcher);

    // List view: a click selects one line (one Click event); a double-click runs the handler.
    // Only the page in front takes input.
    gallery.controlAs<TabStrip>(QStringLiteral("TabStrip1")).select(3);
    rendered->flush();
    auto& allocations = gallery.controlAs<ListView>(QStringLiteral("lvAllocations"));
    int clicks = 0;
    allocations.onClick([&] { ++clicks; });
    auto* tree = rendered->widgetAs<QTreeWidget>(QStringLiteral("lvAllocations"));
    tree->setCurrentItem(tree->topLevelItem(2));
    EXPECT_EQ(allocations.selectedLines(), std::vector<int>{2});
    EXPECT_EQ(clicks, 1);
    Q_EMIT tree->itemDoubleClicked(tree->topLevelItem(3), 0);
    EXPECT_EQ(allocations.selectedLine(), 3);
    EXPECT_TRUE(
        statusCatcher.transcript().lines().contains(QStringLiteral("status: Allocation A900")));

    // Selection list: ticking an item, and the form's own Tick All button.
    auto& workCenters = gallery.controlAs<ListSelect>(QStringLiteral("lsWorkCenters"));
    auto* list = rendered->widgetAs<QListWidget>(QStringLiteral("lsWorkCenters"));
    list->item(3)->setCheckState(Qt::Checked);
    EXPECT_TRUE(workCenters.item(3).selected);
    QTest::mouseClick(rendered->widgetAs<QPushButton>(QStringLiteral("btnTickAll")),
                      Qt::LeftButton);
    for (int row = 0; row < list->count(); ++row) {
        EXPECT_EQ(list->item(row)->checkState(), Qt::Checked);
    }
    workCenters.setLocked(true);
    list->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(workCenters.item(0).selected);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);  // the refused tick is taken back

    // Ordered selection: picks in order up to the limit, then the Add button gives up.
    rendered->widgetAs<QTabWidget>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    EXPECT_EQ(gallery.controlAs<TabStrip>(QStringLiteral("TabStrip1")).selected(), 2);
    auto& elements = gallery.controlAs<OrderedSelect>(QStringLiteral("osElements"));
    auto* picker = qobject_cast<OrderedSelectWidget*>(
        rendered->widgetFor(QStringLiteral("osElements"))->parentWidget());
    ASSERT_NE(picker, nullptr);
    picker->availableList()->item(2)->setSelected(true);  // "Label cartons"
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);
    EXPECT_EQ(elements.valueText(), QStringLiteral("Pick cases; Travel; Label cartons"));
    picker->availableList()->item(0)->setSelected(true);  // "Pick lines"
    picker->addButton()->click();
    EXPECT_EQ(elements.chosen().size(), 4u);
    EXPECT_EQ(picker->availableList()->count(), 1);
    picker->availableList()->item(0)->setSelected(true);
    EXPECT_FALSE(picker->addButton()->isEnabled());
    picker->chosenList()->setCurrentRow(3);
    picker->upButton()->click();
    EXPECT_EQ(elements.valueText(),
              QStringLiteral("Pick cases; Travel; Pick lines; Label cartons"));
    EXPECT_EQ(picker->chosenList()->currentRow(), 2);
    picker->removeButton()->click();
    EXPECT_EQ(elements.valueText(), QStringLiteral("Pick cases; Travel; Label cartons"));
}

TEST(ComboAndDateBindings, PickingTypingAndEmptyingReachTheModel) {
    ControlGallery gallery;
    RenderedForm rendered(gallery);
    auto& unit = gallery.controlAs<ComboBox>(QStringLiteral("cboUnit"));
    auto* unitBox = rendered->widgetAs<QComboBox>(QStringLiteral("cboUnit"));
    Q_EMIT unitBox->activated(2);
    EXPECT_EQ(unit.listIndex(), 2);
    unitBox->lineEdit()->selectAll();
    QTest::keyClicks(unitBox->lineEdit(), QStringLiteral("Totes"));
    EXPECT_EQ(unit.text(), QStringLiteral("Totes"));
    EXPECT_EQ(unit.listIndex(), -1);

    auto& effective = gallery.controlAs<DateBox>(QStringLiteral("dbEffective"));
    auto* present = qobject_cast<QCheckBox*>(rendered->widgetFor(QStringLiteral("dbEffective")));
    auto* field = qobject_cast<DateField*>(present->parentWidget());
    EXPECT_FALSE(field->dateEdit()->isEnabled());  // empty: nothing to edit until ticked
    field->dateEdit()->setDate(QDate(2025, 1, 6));
    QTest::mouseClick(present, Qt::LeftButton);
    EXPECT_EQ(effective.date(), QDate(2025, 1, 6));
    EXPECT_TRUE(field->dateEdit()->isEnabled());
    field->dateEdit()->setDate(QDate(2025, 2, 3));
    EXPECT_EQ(effective.valueText(), QStringLiteral("2025/02/03"));
    QTest::mouseClick(present, Qt::LeftButton);
    EXPECT_FALSE(effective.date().isValid());
}

}  // namespace
}  // namespace vel
