#include "ui/ControlGallery.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/ListView.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/SaveButtons.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

namespace vel {

namespace {
// Grid columns of the standards grid.
constexpr int unitsPerHourColumn = 3;
constexpr int minutesPerUnitColumn = 4;

QString minutesPerUnit(double unitsPerHour) {
    return QString::number(unitsPerHour > 0 ? 60.0 / unitsPerHour : 0.0, 'f', 3);
}
}  // namespace

ControlGallery::ControlGallery()
    : Form(QStringLiteral("frmGallery"), QStringLiteral("Control Gallery")) {
    auto& strip = tabStrip(QStringLiteral("TabStrip1"));
    const auto page = [&strip](const char* caption, const char* tip) -> Container& {
        return strip.page(QString::fromLatin1(caption), QString::fromLatin1(tip));
    };
    declareGeneralPage(page("&General", "Code, name, measurement and schedule"));
    declareElementsPage(page("&Elements", "Elements of the activity and their standards"));
    declareListsPage(page("&Lists", "Allocations and valid work centers"));
    saveButtons(QStringLiteral("SaveButtons1")).clicked([this](int button) { finish(button); });
}

void ControlGallery::declareGeneralPage(Container& page) {
    Row& top = page.line();
    Frame& identity = top.frame(QStringLiteral("fraIdentity"), QStringLiteral("Identity"));
    code_ = &identity.textBox(QStringLiteral("txtCode"), QStringLiteral("&Code:"))
                 .maxLength(10)
                 .keys(KeyFilter::code())
                 .tip(QStringLiteral("Up to 10 characters; letters are upper-cased"));
    identity.textBox(QStringLiteral("txtName"), QStringLiteral("&Name:"))
        .maxLength(30)
        .keys(KeyFilter::name())
        .tip(QStringLiteral("The activity's name as reports show it"));
    identity.comboBox(QStringLiteral("cboWorkCenter"), QStringLiteral("&Work center:"))
        .tip(QStringLiteral("The work center that records this activity"));
    identity.comboBox(QStringLiteral("cboUnit"), QStringLiteral("&Unit:"))
        .allowTyping(true)
        .tip(QStringLiteral("Pick a unit or type a new one"));
    identity.textBox(QStringLiteral("txtChangedBy"), QStringLiteral("Changed by:"))
        .maxLength(20)
        .readOnly()
        .tip(QStringLiteral("Set when the activity is saved"));

    Frame& measure = top.frame(QStringLiteral("fraMeasure"), QStringLiteral("Measurement"));
    measure.option(QStringLiteral("optMeasure"), 0, QStringLiteral("&Measured"))
        .tip(QStringLiteral("Counts towards measured hours and performance"));
    measure.option(QStringLiteral("optMeasure"), 1, QStringLiteral("&Indirect"));
    measure.option(QStringLiteral("optMeasure"), 2, QStringLiteral("Unmeasu&red"));
    measure.checkBox(QStringLiteral("chkFlags"), 0, QStringLiteral("&Active"));
    measure.checkBox(QStringLiteral("chkFlags"), 1, QStringLiteral("Include in re&ports"));
    measure.checkBox(QStringLiteral("chkFlags"), 2, QStringLiteral("Corporate contro&l"))
        .disabled()
        .tip(QStringLiteral("Set by the corporate control files"));

    Frame& schedule =
        page.frame(QStringLiteral("fraSchedule"), QStringLiteral("Standard and Schedule"));
    schedule.numberBox(QStringLiteral("nbStandard"), QStringLiteral("&Standard (units/hour):"))
        .range(0, 9999.99)
        .decimals(2)
        .tip(QStringLiteral("Units per hour expected of an associate"));
    schedule.dateBox(QStringLiteral("dbEffective"), QStringLiteral("E&ffective from:"))
        .allowEmpty(true)
        .tip(QStringLiteral("Leave empty for no start date"));
    schedule.timeBox(QStringLiteral("tbShiftStart"), QStringLiteral("S&hift starts at:"));

    page.textBox(QStringLiteral("txtNotes"), QStringLiteral("N&otes:"))
        .multiLine(true)
        .maxLength(250);
}

void ControlGallery::declareElementsPage(Container& page) {
    standards_ = &page.grid(QStringLiteral("grdStandards"), QStringLiteral("&Standards:"))
                      .tip(QStringLiteral("Double-click a units-per-hour cell to change it"));
    standards_->cellEdit(
        [this](int row, int, QString& text) { return takeUnitsPerHour(row, text); });
    page.orderedSelect(QStringLiteral("osElements"),
                       QStringLiteral("Elements &on the production sheet (at most 4):"))
        .limit(4);
}

void ControlGallery::declareListsPage(Container& page) {
    page.listView(QStringLiteral("lvAllocations"), QStringLiteral("&Allocations:"))
        .column(QStringLiteral("Code"), 8)
        .column(QStringLiteral("Description"), 26)
        .column(QStringLiteral("Share %"), 8, true)
        .doubleClicked([this](int line) {
            const auto& list = controlAs<ListView>(QStringLiteral("lvAllocations"));
            currentUi().statusText(QStringLiteral("Allocation ") + list.item(line).texts.value(0));
        });
    workCenters_ =
        &page.listSelect(QStringLiteral("lsWorkCenters"), QStringLiteral("&Valid work centers:"));
    Row& buttons = page.line();
    buttons.button(QStringLiteral("btnTickAll"), QStringLiteral("T&ick All")).clicked([this] {
        tickAllWorkCenters(true);
    });
    buttons.button(QStringLiteral("btnClearAll"), QStringLiteral("Clea&r All")).clicked([this] {
        tickAllWorkCenters(false);
    });
    page.label(QStringLiteral("lblNote"),
               QStringLiteral("Associates can record the activity only in the ticked work "
                              "centers."));
}

void ControlGallery::Form_Load() {
    confirmed_ = false;
    fillGeneralPage();
    fillElementsPage();
    fillListsPage();
}

void ControlGallery::fillGeneralPage() {
    auto& workCenter = controlAs<ComboBox>(QStringLiteral("cboWorkCenter"));
    workCenter.clear();
    workCenter.addItem(QStringLiteral("10 Receiving"), 10);
    workCenter.addItem(QStringLiteral("20 Put-away"), 20);
    workCenter.addItem(QStringLiteral("30 Picking"), 30);
    workCenter.addItem(QStringLiteral("40 Shipping"), 40);
    workCenter.setListIndex(workCenter.findData(30));
    auto& unit = controlAs<ComboBox>(QStringLiteral("cboUnit"));
    unit.clear();
    for (const char* name : {"Cases", "Lines", "Pallets", "Minutes"}) {
        unit.addItem(QString::fromLatin1(name));
    }
    unit.setText(QStringLiteral("Cases"));
    controlAs<TextBox>(QStringLiteral("txtChangedBy")).setText(QStringLiteral("system"));
    controlAs<OptionButton>(QStringLiteral("optMeasure(0)")).setValue(true);
    controlAs<CheckBox>(QStringLiteral("chkFlags(0)")).setChecked(true);
    controlAs<CheckBox>(QStringLiteral("chkFlags(2)")).setChecked(true);
    controlAs<NumberBox>(QStringLiteral("nbStandard")).setValue(120);
    controlAs<TimeBox>(QStringLiteral("tbShiftStart")).setTime(QTime(6, 30));
}

void ControlGallery::fillElementsPage() {
    standards_->setSize(1, 5);
    standards_->fixed(1, 1)
        .headings({QStringLiteral("Code"), QStringLiteral("Element"), QStringLiteral("Unit"),
                   QStringLiteral("Units/hour"), QStringLiteral("Min/unit")})
        .columnWidth(0, 6)
        .columnWidth(1, 22)
        .columnWidth(2, 8)
        .columnWidth(unitsPerHourColumn, 10)
        .columnWidth(minutesPerUnitColumn, 9)
        .columnAlign(unitsPerHourColumn, Grid::Align::Right)
        .columnAlign(minutesPerUnitColumn, Grid::Align::Right)
        .editableColumn(unitsPerHourColumn);
    struct Standard {
        const char* code;
        const char* element;
        const char* unit;
        double unitsPerHour;
    };
    const Standard rows[] = {
        {"PCK", "Pick cases", "Cases", 120},    {"LIN", "Pick lines", "Lines", 85.5},
        {"TRV", "Travel", "Minutes", 60},       {"WRP", "Stretch wrap", "Pallets", 12},
        {"LBL", "Label cartons", "Cases", 240},
    };
    auto& elements = controlAs<OrderedSelect>(QStringLiteral("osElements"));
    elements.clear();
    standards_->setSize(int(std::size(rows)) + 1, 5);
    int row = 1;
    for (const Standard& standard : rows) {
        standards_->setTextMatrix(row, 0, QString::fromLatin1(standard.code));
        standards_->setTextMatrix(row, 1, QString::fromLatin1(standard.element));
        standards_->setTextMatrix(row, 2, QString::fromLatin1(standard.unit));
        standards_->setTextMatrix(row, unitsPerHourColumn,
                                  QString::number(standard.unitsPerHour, 'f', 2));
        standards_->setTextMatrix(row, minutesPerUnitColumn, minutesPerUnit(standard.unitsPerHour));
        elements.addAvailable(QString::fromLatin1(standard.element), row);
        ++row;
    }
    elements.setChosen({0, 2});
}

void ControlGallery::fillListsPage() {
    auto& allocations = controlAs<ListView>(QStringLiteral("lvAllocations"));
    allocations.clear();
    allocations.addItem({QStringLiteral("A100"), QStringLiteral("Grocery"), QStringLiteral("55")},
                        1);
    allocations.addItem({QStringLiteral("A200"), QStringLiteral("Frozen"), QStringLiteral("25")},
                        2);
    allocations.addItem(
        {QStringLiteral("A300"), QStringLiteral("Health and beauty"), QStringLiteral("15")}, 3);
    allocations.addItem({QStringLiteral("A900"), QStringLiteral("Returns"), QStringLiteral("5")},
                        4);
    allocations.select(0);
    workCenters_->clear();
    workCenters_->addItem(QStringLiteral("10 Receiving"), 10, true);
    workCenters_->addItem(QStringLiteral("20 Put-away"), 20);
    workCenters_->addItem(QStringLiteral("30 Picking"), 30, true);
    workCenters_->addItem(QStringLiteral("40 Shipping"), 40);
}

bool ControlGallery::takeUnitsPerHour(int row, QString& text) {
    bool isNumber = false;
    const double unitsPerHour = text.trimmed().toDouble(&isNumber);
    if (!isNumber || unitsPerHour < 0) {
        currentUi().playSound(QStringLiteral("SystemExclamation"));
        currentUi().statusText(QStringLiteral("Units per hour must be a number"));
        return false;
    }
    text = QString::number(unitsPerHour, 'f', 2);
    standards_->setTextMatrix(row, minutesPerUnitColumn, minutesPerUnit(unitsPerHour));
    return true;
}

void ControlGallery::tickAllWorkCenters(bool ticked) {
    for (int index = 0; index < workCenters_->count(); ++index) {
        workCenters_->setSelected(index, ticked);
    }
}

void ControlGallery::finish(int button) {
    if (button == SaveButtons::OK && code_->text().trimmed().isEmpty()) {
        currentUi().messageBox(QStringLiteral("Enter a code for the activity."),
                               MB_OK | MB_ICONEXCLAMATION, caption());
        code_->setFocus();
        return;
    }
    confirmed_ = button == SaveButtons::OK;
    hide();
}

}  // namespace vel
