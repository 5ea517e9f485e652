// frmActivity's tabs and their controls, and which of them a system's features show.
#include "editors/frmActivity.h"

#include "data/VelmorSystem.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Grid.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/OrderedSelect.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
#include "ui/Ui.h"

namespace vel {

namespace {
QString text(const char* latin) {
    return QString::fromLatin1(latin);
}
}  // namespace

frmActivity::frmActivity()
    : Form(QStringLiteral("frmActivity"), QString()),
      MasterTableEditor(*this, {QStringLiteral("Activity"), QStringLiteral("Activities"),
                                QStringLiteral("List of Activities")}) {
    tabs_ = &tabStrip(QStringLiteral("TabStrip1"));
    buildGeneralTab(tabs_->page(text("General"), text("Overall Settings for the Activity")));
    buildCalculationsTab(
        tabs_->page(text("Calculations"), text("Settings for how Earned Hours are calculated")));
    buildElementsTab(
        tabs_->page(text("Elements"), text("Defines which Elements are valid for this activity")));
    buildAllocationsTab(tabs_->page(text("Valid Allocations"),
                                    text("Settings for the Standards for each Allocation")));
    buildDataFieldsTab(
        tabs_->page(text("Datafields"), text("The Datafields updated by this Activity")));
    buildIncentiveTab(tabs_->page(text("Incentive and PPA"),
                                  text("Settings for the Incentive and PPA options for this "
                                       "Activity")));
    buildXyzTab(tabs_->page(text("XYZ Travel"),
                            text("Settings for the XYZ travel calculations for this Activity")));
    buildLanguagesTab(
        tabs_->page(text("Languages"), text("Alternate Descriptions for this Activity")));
    buildKioskTab(tabs_->page(text("Kiosk"), text("Settings for the display of Kiosk entry")));
    addRecordButtons(*this);
}

frmActivity::~frmActivity() = default;

void frmActivity::buildGeneralTab(TabPage& page) {
    code_ = &page.textBox(text("Text1"), 0, text("&Code:"))
                 .keys(KeyFilter::code())
                 .maxLength(10)
                 .entered([this] { newCodeEntered(); });
    description_ = &page.textBox(text("Text1"), 1, text("&Description:"))
                        .keys(KeyFilter::name())
                        .maxLength(30);
    typeOfWork_ = &page.comboBox(text("cboList"), text("&Type of Work:"));

    auto& document = page.frame(text("fraDocument"), text("Documents"));
    getDocument_ = &document.checkBox(text("chkGetDoc"), text("Prompt for Document:"));
    documentText_ = &document.textBox(text("txtDocument"), text("Document Text"))
                         .keys(KeyFilter::name())
                         .maxLength(30);
    multipleDocuments_ = &document.checkBox(text("chkDocFlags"), 0,
                                            text("Allow Multiple Documents for one time period"));
    lookUp_ =
        &document.checkBox(text("chkDocFlags"), 1, text("Search for Document in the Look Up File"));
    mustFind_ = &document.comboBox(text("cboMustFind"), text("Look Up:"));
    for (const char* item :
         {"Attempt to find", "Must find", "Must find document and activity code"}) {
        mustFind_->addItem(text(item));
    }
    reuse_ = &page.comboBox(text("cboReuse"), text("Units previously recorded:"));
    for (const char* item :
         {"Cannot be reused", "Can be reused", "Can be shared with other associates"}) {
        reuse_->addItem(text(item));
    }

    auto& allocate = page.frame(text("fraAllocation"), text("When to Allocate Production data:"));
    auto& allocateRow = allocate.line();
    int index = 0;
    for (const char* caption : {"Never", "Sometimes", "Always"}) {
        allocate_[size_t(index)] = &allocateRow.option(text("optAllocation"), index, text(caption));
        ++index;
    }

    auto& totals = page.frame(text("fraUnits"), text("Include the units of this Activity in:"));
    unitsInAll_ = &totals.checkBox(text("chkFlags"), 0, text("Total of All Activities"));
    unitsInTypeOfWork_ = &totals.checkBox(text("chkFlags"), 4, text("Type of Work Totals"));
    unitsInQuality_ =
        &totals.checkBox(text("chkFlags"), 5,
                         text("Quality Calculations (Auditable Units and/or Accuracy Base Units)"));
    systemTracked_ = &page.checkBox(text("chkSystemTrack"), text("Activity is System Tracked"));

    for (CheckBox* box : {getDocument_, lookUp_}) {
        box->onClick([this] { refreshDependentControls(); });
    }
}

void frmActivity::buildCalculationsTab(TabPage& page) {
    auto& methods = page.frame(text("fraEhrs"), text("Earned Hours Calculation"));
    int index = 0;
    for (const char* caption :
         {"None (Unmeasured Activity)", "Individual Standard", "Team Standard",
          "Past Average Performance", "Reflective of Recorded Work Center's Performance",
          "Reflective of Specified Work Center's Performance:",
          "Reflective of Specified Group's Performance:"}) {
        method_[size_t(index)] = &methods.option(text("optEhrs"), index, text(caption));
        method_[size_t(index)]->onClick([this] {
            if (!loading_) {
                fillChoices();
                refreshDependentControls();
                fillDataFieldsGrid();
            }
        });
        ++index;
    }
    reflective_ = &methods.comboBox(text("cboReflective"), text("Work Center or Group:"));
    reflectiveTypeOfWork_ = &methods.comboBox(text("cboReflectiveTOW"),
                                              text("Type of Work for Reflective Calculations"));
    prorate_ = &page.checkBox(text("chkFlags"), 1, text("Prorate Hours (based on earned hours)"));

    auto& history = page.frame(text("fraHistorical"), text("Historical Standards"));
    historical_ = &history.checkBox(text("chkFlags"), 3,
                                    text("Calculate standards based on historical average"));
    historyStart_ = &history.dateBox(text("dbHistDate"), text("Use data after the following date:"))
                         .allowEmpty(true);
    historicalElement_ = &history.label(text("lblHistElement"), text("based on element: (None)"));
    historical_->onClick([this] { refreshDependentControls(); });
}

void frmActivity::buildElementsTab(TabPage& page) {
    auto& units = page.frame(text("fraTime"), text("Standard Times:"));
    auto& unitRow = units.line();
    timeUnit_[0] = &unitRow.option(text("optTime"), 0, text("Minutes per Unit"));
    timeUnit_[1] = &unitRow.option(text("optTime"), 1, text("Units per Hour"));
    for (OptionButton* option : timeUnit_) {
        option->onClick([this] { standardDisplayChanged(); });
    }

    elements_ = &page.orderedSelect(text("lsElement"), text("Elements:"));
    elements_->beforeAdd([this](int index) { return elementMayBeAdded(index); });
    elements_->onChange([this] { elementsChosen(); });

    auto& frame = page.frame(text("fraElement"), text("Element Settings"));
    elementFrame_ = &frame;
    frameElement_ = &frame.comboBox(text("cboElement"), text("Settings of element:"));
    frameElement_->onClick([this] { showElementSlot(currentSlot()); });
    elementStandard_ = &frame.numberBox(text("nbElmTime"), text("Default Standard (min/unit)"))
                            .range(-1, 1e9)
                            .decimals(5);
    elementLimit_[0] =
        &frame.numberBox(text("nbElmLimit"), 0, text("Lower Limit:")).range(-1e9, 1e9).decimals(2);
    elementLimit_[1] =
        &frame.numberBox(text("nbElmLimit"), 1, text("Upper Limit:")).range(-1e9, 1e9).decimals(2);
    useUnits_ = &frame.checkBox(
        text("chkUseUnits"), text("Include the units for this element in the total units for this "
                                  "activity"));
    overrideLookup_ = &frame.checkBox(
        text("chkOverride"), text("When using Document Lookup allow the units to be changed "));
    occurrence_ = &frame.checkBox(text("chkOccur"), text("Use this Element to track Occurrences"));
    historicalElementSwitch_ = &frame.checkBox(
        text("chkHistorical"), text("Use this Element for the Historical Standard"));
    exceed_ = &frame.checkBox(text("chkExceed"), text("Allow the units to be exceeded"));
    useStandardElement_ =
        &frame.checkBox(text("chkUseStdElement"), text("Use Time of Use Element"));
    standardElementNote_ = &frame.label(text("lblStdElement"), QString());
    elementStandard_->onChange([this] { elementStandardChanged(); });
    for (Control* control : std::initializer_list<Control*>{elementLimit_[0], elementLimit_[1]}) {
        control->onChange([this] { elementFrameChanged(); });
    }
    for (CheckBox* box : {useUnits_, overrideLookup_, occurrence_, historicalElementSwitch_,
                          exceed_, useStandardElement_}) {
        box->onClick([this] { elementFrameChanged(); });
    }

    elementGrid_ = &page.grid(text("grdElements"), text("Elements' Settings")).hidden();
    elementGridToggle_ =
        &page.button(text("btnClose"), text("&Show All Elements' Settings")).clicked([this] {
            toggleElementsGrid();
        });
}

void frmActivity::buildAllocationsTab(TabPage& page) {
    sameStandards_ =
        &page.checkBox(text("chkFlags"), 2, text("All Allocations use the same standards"));
    sameStandards_->onClick([this] {
        if (!loading_) {
            captionStandards();
            fillAllocationsGrid();
        }
    });
    allocations_ = &page.listSelect(text("lsAllocations"), text("Valid Allocations:"));
    allocations_->onChange([this] { allocationsChosen(); });
    allocationGrid_ = &page.grid(text("grdAllocations"), text("Standards per Allocation"));
    allocationGrid_->cellEdit(
        [this](int row, int col, QString& entry) { return allocationCellEdited(row, col, entry); });
}

void frmActivity::buildDataFieldsTab(TabPage& page) {
    page.label(text("lblFields"), text("When production data is posted, the information for this "
                                       "activity will update the following datafields"));
    fieldGrid_ = &page.grid(text("grdFields"));
    fieldGrid_->setSize(1, 3);
    fieldGrid_->headings({text("Type of Data"), text("Datafield Description"), text("Datafield #")})
        .columnWidth(0, 22)
        .columnWidth(1, 30)
        .columnWidth(2, 30);
}

void frmActivity::buildIncentiveTab(TabPage& page) {
    auto& incentive = page.frame(text("fraIncentive"), text("Incentive"));
    incentiveFrame_ = &incentive;
    incentive_[0] = &incentive.checkBox(
        text("chkIncentive"), 0, text("Include this Activity in the Incentive Calculations"));
    incentive_[1] = &incentive.checkBox(text("chkIncentive"), 1,
                                        text("Protect the Earned Hours for this Activity"));
    incentive_[2] = &incentive.checkBox(text("chkIncentive"), 2, text("Additive Pay"));
    auto& typeRow = incentive.line();
    additiveType_[0] = &typeRow.option(text("optIncentive"), 0, text("Percent of Wage"));
    additiveType_[1] = &typeRow.option(text("optIncentive"), 1, text("Fixed"));
    additiveAmount_ = &incentive.numberBox(text("nbIncentive"), text("Additive Percent per Hour"))
                           .range(0, 1e6)
                           .decimals(2);
    incentiveScale_ = &incentive.comboBox(text("cmbIncRate"), text("Incentive Rate Scale:"));
    incentiveScale_->addItem(text("(None)"), 0);
    for (int scale = 1; scale <= 9; ++scale) {
        incentiveScale_->addItem(text("Scale ") + QString::number(scale), scale);
    }
    includeInPpa_ = &page.checkBox(
        text("chkPPA"),
        text("Include this Activity in the Performance Policy Administration Calculations"));
    page.label(text("lblNoIncentive"),
               text("The Incentive and PPA options are not part of this system"))
        .hidden();
    incentive_[2]->onClick([this] { refreshDependentControls(); });
    for (OptionButton* option : additiveType_) {
        option->onClick([this] { refreshDependentControls(); });
    }
}

void frmActivity::buildXyzTab(TabPage& page) {
    xyz_[0] = &page.checkBox(text("chkXYZ"), 0,
                             text("Enable XYZ calculations of Travel Time for this Activity?"));
    xyz_[1] = &page.checkBox(text("chkXYZ"), 1,
                             text("Release any machine that is being used before starting this "
                                  "activity?"));
    locationCode_[0] = &page.textBox(text("txtLocCode"), 0, text("Default Start Location Code:"))
                            .keys(KeyFilter::code())
                            .maxLength(10);
    locationCode_[1] = &page.textBox(text("txtLocCode"), 1, text("Default End Location Code:"))
                            .keys(KeyFilter::code())
                            .maxLength(10);
    machine_ = &page.comboBox(text("cmbMachine"), text("Default Machine Code:"));
    page.label(text("lblNoXYZ"), text("XYZ travel calculations are not part of this system"))
        .hidden();
    xyz_[0]->onClick([this] { refreshDependentControls(); });
}

void frmActivity::buildLanguagesTab(TabPage& page) {
    for (int language = 1; language <= ActivityRecord::Languages; ++language) {
        languages_[size_t(language - 1)] =
            &page.textBox(text("txtLanguage"), language,
                          text("Language ") + QString::number(language) + text(":"))
                 .keys(KeyFilter::name())
                 .maxLength(30);
    }
    page.label(text("lblNoLanguages"), text("No alternate languages are configured")).hidden();
}

void frmActivity::buildKioskTab(TabPage& page) {
    kiosk_ = &page.checkBox(text("chkTouch"), text("Show Activity on Kiosk Entry Screen"));
    kioskColorButton_ =
        &page.button(text("Command1"), text("Button Color on Kiosk Screen.  Click to Change."))
             .clicked([this] {
                 quint32 color = quint32(kioskColor_);
                 if (currentUi().chooseColor(color)) {
                     kioskColor_ = int(color);
                 }
             });
    page.label(text("lblKioskColor"), QString());
    kiosk_->onClick([this] { refreshDependentControls(); });
}

// Controls of modules the system does not have are hidden; languages beyond those configured too.
void frmActivity::showFeatureControls() {
    const SystemFeatures features = system().features();
    incentiveFrame_->setVisible(features.incentive);
    includeInPpa_->setVisible(features.performancePolicy);
    control(text("lblNoIncentive")).setVisible(!features.incentive && !features.performancePolicy);
    control(text("lblNoXYZ")).setVisible(!features.xyz);
    for (Control* control : std::initializer_list<Control*>{xyz_[0], xyz_[1], locationCode_[0],
                                                            locationCode_[1], machine_}) {
        control->setVisible(features.xyz);
    }
    for (int language = 1; language <= ActivityRecord::Languages; ++language) {
        languages_[size_t(language - 1)]->setVisible(language <= features.languages);
    }
    control(text("lblNoLanguages")).setVisible(features.languages <= 0);
    unitsInQuality_->setVisible(features.quality);
}

// Enables what the current choices make meaningful: the document settings, the reflective
// choices, the historical date, the additive amount's caption, the XYZ fields.
void frmActivity::refreshDependentControls() {
    documentText_->setEnabled(getDocument_->checked());
    multipleDocuments_->setEnabled(getDocument_->checked());
    lookUp_->setEnabled(getDocument_->checked());
    mustFind_->setEnabled(getDocument_->checked() && lookUp_->checked());
    const int method = selectedOption(*this, text("optEhrs"));
    reflective_->setEnabled(method == 5 || method == 6);
    reflectiveTypeOfWork_->setEnabled(method >= 3);
    historyStart_->setEnabled(historical_->checked());
    historicalElementSwitch_->setEnabled(historical_->checked());
    additiveAmount_->setCaption(additiveType_[1]->value() ? text("Additive Amount per Hour")
                                                          : text("Additive Percent per Hour"));
    const bool additive = incentive_[2]->checked();
    additiveAmount_->setEnabled(additive);
    additiveType_[0]->setEnabled(additive);
    additiveType_[1]->setEnabled(additive);
    for (Control* control :
         std::initializer_list<Control*>{xyz_[1], locationCode_[0], locationCode_[1], machine_}) {
        control->setEnabled(xyz_[0]->checked());
    }
    kioskColorButton_->setEnabled(kiosk_->checked());
    refreshHistoricalLabel();
}

}  // namespace vel
