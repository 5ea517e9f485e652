#include "services/RuntimeError.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/ListView.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <gtest/gtest.h>

using namespace vel;

namespace {

// A record window in the shape the editors use: two tabs, an option array in a frame, a grid.
struct SampleForm : Form {
    SampleForm() : Form(QStringLiteral("frmSample"), QStringLiteral("Sample")) {
        auto& strip = tabStrip(QStringLiteral("TabStrip1"));
        auto& general = strip.page(QStringLiteral("&General"), QStringLiteral("Overall settings"));
        description = &general.textBox(QStringLiteral("txtDesc"), QStringLiteral("&Description:"));
        auto& methods = general.frame(QStringLiteral("fraMethod"), QStringLiteral("Method"));
        for (int i = 0; i < 3; ++i) {
            methods.option(QStringLiteral("optEhrs"), i, QStringLiteral("Method %1").arg(i))
                .clicked([this, i] { clicks.push_back(i); });
        }
        auto& standards = strip.page(QStringLiteral("&Standards"));
        grid = &standards.grid(QStringLiteral("grdStd"));
        grid->setSize(3, 2);
        grid->headings({QStringLiteral("Element"), QStringLiteral("Units/Hour")})
            .editableColumn(1)
            .cellEdit([](int, int, QString& text) {
                bool number = false;
                const double value = text.toDouble(&number);
                if (number) {
                    text = QString::number(value, 'f', 2);
                }
                return number;
            });
        grid->setTextMatrix(1, 1, QStringLiteral("30.00"));
    }
    TextBox* description;
    Grid* grid;
    std::vector<int> clicks;
};

}  // namespace

TEST(Form, FindsControlsByNameAndIndexAndRefusesUnknownNames) {
    SampleForm form;
    EXPECT_EQ(&form.control(QStringLiteral("optEhrs(2)")), form.controlArray(QStringLiteral("optEhrs"))[2]);
    EXPECT_EQ(form.findControl(QStringLiteral("optEhrs( 1 )")), form.controlArray(QStringLiteral("optEhrs"))[1]);
    EXPECT_EQ(form.findControl(QStringLiteral("optEhrs")), nullptr) << "an array needs its index";
    try {
        form.control(QStringLiteral("Text9(0)"));
        FAIL() << "an unknown control must raise an error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 5);
        EXPECT_TRUE(error.description().contains(QStringLiteral("Text9(0)")));
    }
    EXPECT_EQ(form.description->plainCaption(), QStringLiteral("Description:"));
}

TEST(OptionButton, OneOfAnArrayIsSelectedAndOnlyTheNewOneClicks) {
    SampleForm form;
    auto& first = form.controlAs<OptionButton>(QStringLiteral("optEhrs(0)"));
    auto& third = form.controlAs<OptionButton>(QStringLiteral("optEhrs(2)"));
    first.setValue(true);
    EXPECT_TRUE(third.userClick());
    EXPECT_FALSE(first.value());
    EXPECT_TRUE(third.value());
    EXPECT_EQ(selectedOption(form, QStringLiteral("optEhrs")), 2);
    EXPECT_EQ(form.clicks, (std::vector<int>{0, 2}));
    EXPECT_TRUE(third.userClick()) << "clicking the selected option keeps it";
    EXPECT_EQ(form.clicks.size(), 2u) << "and raises no second Click";
}

TEST(Grid, CellEditsAreValidatedAndARefusalKeepsTheOldText) {
    SampleForm form;
    form.control(QStringLiteral("TabStrip1")).userSetValue(QStringLiteral("Standards"));
    int changes = 0;
    form.grid->onChange([&] { ++changes; });

    EXPECT_FALSE(form.grid->userEditCell(1, 1, QStringLiteral("abc")));
    EXPECT_EQ(form.grid->textMatrix(1, 1), QStringLiteral("30.00"));
    EXPECT_TRUE(form.grid->userEditCell(1, 1, QStringLiteral("45")));
    EXPECT_EQ(form.grid->textMatrix(1, 1), QStringLiteral("45.00")) << "the handler may rewrite";
    EXPECT_FALSE(form.grid->userEditCell(1, 0, QStringLiteral("x"))) << "column 0 is not editable";
    EXPECT_FALSE(form.grid->userEditCell(0, 1, QStringLiteral("1"))) << "headings are fixed";
    EXPECT_EQ(changes, 1);
}

TEST(Control, OnlyReachableControlsTakeAPersonsInputAndFocusBringsItsTabForward) {
    SampleForm form;
    auto& strip = form.controlAs<TabStrip>(QStringLiteral("TabStrip1"));
    EXPECT_EQ(strip.selected(), 1);
    EXPECT_FALSE(form.grid->userEditCell(1, 1, QStringLiteral("50"))) << "its page is behind";

    form.grid->setFocus();
    EXPECT_EQ(strip.selected(), 2);
    EXPECT_TRUE(form.grid->hasFocus());
    EXPECT_TRUE(form.grid->userEditCell(1, 1, QStringLiteral("50")));

    strip.select(1);
    form.control(QStringLiteral("fraMethod")).setEnabled(false);
    EXPECT_FALSE(form.control(QStringLiteral("optEhrs(1)")).userClick()) << "its frame is disabled";
    form.setEnabled(false);
    EXPECT_FALSE(form.description->userSetValue(QStringLiteral("x"))) << "the window is disabled";
}

TEST(Controls, ValueKindsRefuseWhatAPersonCouldNotEnter) {
    Form form(QStringLiteral("frmKinds"), QStringLiteral("Kinds"));
    auto& count = form.numberBox(QStringLiteral("nbCount")).range(0, 30).decimals(0);
    EXPECT_FALSE(count.userSetValue(QStringLiteral("abc")));
    EXPECT_FALSE(count.userSetValue(QStringLiteral("31")));
    EXPECT_TRUE(count.userSetValue(QStringLiteral("12")));
    EXPECT_EQ(count.value(), 12);

    auto& hired = form.dateBox(QStringLiteral("dbHire"));
    EXPECT_FALSE(hired.userSetValue(QString())) << "empty only where allowed";
    EXPECT_FALSE(hired.userSetValue(QStringLiteral("2026/02/30")));
    EXPECT_TRUE(hired.userSetValue(QStringLiteral("2026/02/28")));
    hired.allowEmpty(true);
    EXPECT_TRUE(hired.userSetValue(QString()));
    EXPECT_TRUE(hired.valueText().isEmpty());

    auto& list = form.comboBox(QStringLiteral("cboWC"));
    list.addItem(QStringLiteral("(none)"), 0);
    list.addItem(QStringLiteral("Receiving"), 4);
    int clicks = 0;
    list.onClick([&] { ++clicks; });
    EXPECT_FALSE(list.userSetValue(QStringLiteral("Shipping"))) << "a drop-down list takes items only";
    EXPECT_TRUE(list.userSetValue(QStringLiteral("Receiving")));
    EXPECT_EQ(list.itemData(list.listIndex()), 4);
    EXPECT_EQ(clicks, 1);

    auto& check = form.checkBox(QStringLiteral("chkFlags"), 3, QStringLiteral("&Kiosk"));
    EXPECT_TRUE(check.userClick());
    EXPECT_EQ(check.value(), CheckBox::Checked);
    check.setValue(CheckBox::Grayed);
    EXPECT_TRUE(check.userClick());
    EXPECT_EQ(check.value(), CheckBox::Unchecked) << "a click on a greyed box clears it";
}

TEST(OrderedSelect, KeepsOrderAndHonoursTheLimitAndTheFormsCheck) {
    Form form(QStringLiteral("frmOrder"), QStringLiteral("Order"));
    auto& elements = form.orderedSelect(QStringLiteral("lsElement")).limit(2);
    for (const char* name : {"Cases", "Lines", "Travel Minutes"}) {
        elements.addAvailable(QString::fromLatin1(name), elements.available().size() + 1);
    }
    bool allow = true;
    elements.beforeAdd([&](int) { return allow; });
    allow = false;
    EXPECT_FALSE(elements.userAdd(0));
    allow = true;
    EXPECT_TRUE(elements.userAdd(2));
    EXPECT_FALSE(elements.userAdd(2)) << "an item is chosen once";
    EXPECT_TRUE(elements.userAdd(0));
    EXPECT_FALSE(elements.userAdd(1)) << "the limit is two";
    EXPECT_TRUE(elements.userMove(1, -1));
    EXPECT_EQ(elements.chosenData(), (std::vector<long long>{1, 3}));
    EXPECT_FALSE(elements.userMove(0, -1));
    EXPECT_TRUE(elements.userRemove(0));
    EXPECT_EQ(elements.valueText(), QStringLiteral("Travel Minutes"));
}

TEST(ListView, SelectsOneLineOrSeveralAsTheListAllows) {
    Form form(QStringLiteral("frmList"), QStringLiteral("List"));
    auto& list = form.listView(QStringLiteral("lvItems")).column(QStringLiteral("Code"));
    for (int i = 0; i < 3; ++i) {
        list.addItem({QStringLiteral("A%1").arg(i)}, 10 + i);
    }
    list.userSelect(0);
    list.userSelect(2, true);
    EXPECT_EQ(list.selectedLines(), (std::vector<int>{2})) << "single selection";
    list.multiSelect(true);
    list.userSelect(0, true);
    EXPECT_EQ(list.selectedLines(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.findData(11), 1);
    EXPECT_FALSE(list.userSelect(3));
}
