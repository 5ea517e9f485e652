#include "editors/frmElement.h"

#include "data/VelmorSystem.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/OptionButton.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

namespace {
const QString oneStandardElement =
    QStringLiteral("Can only have one element that is set for holding standards.");
}

frmElement::frmElement()
    : Form(QStringLiteral("frmElement"), QString()),
      MasterTableEditor(*this, {QStringLiteral("Element"), QStringLiteral("Elements"),
                                QStringLiteral("List of Elements")}) {
    tabs_ = &tabStrip(QStringLiteral("TabStrip1"));
    declareGeneralPage(
        tabs_->page(QStringLiteral("General"), QStringLiteral("Overall Settings for the Element")));
    declareLanguagesPage(tabs_->page(QStringLiteral("Languages"),
                                     QStringLiteral("Alternate Descriptions for Element")));
    addRecordButtons(*this);
}

void frmElement::declareGeneralPage(Container& page) {
    description_ = &page.textBox(QStringLiteral("Text1"), 0, QStringLiteral("&Description:"))
                        .keys(KeyFilter::name())
                        .maxLength(30);
    page.label(QStringLiteral("lblType"),
               QStringLiteral("During Daily Production Sheet Entry, Touch Screen Entry or "
                              "Importing, the number entered for this element will be a:"));
    auto& types = page.line();
    quantity_ =
        &types.option(QStringLiteral("optType"), 0, QStringLiteral("Quantity")).clicked([this] {
            showEntryType();
        });
    standard_ =
        &types.option(QStringLiteral("optType"), 1, QStringLiteral("Standard")).clicked([this] {
            standardChosen();
        });
    standardFrame_ = &page.frame(QStringLiteral("frmStd"), QStringLiteral("Standard Entered As"));
    minutesPerUnit_ = &standardFrame_->option(QStringLiteral("optStdType"), 0,
                                              QStringLiteral("Minutes per Unit"));
    unitsPerHour_ =
        &standardFrame_->option(QStringLiteral("optStdType"), 1, QStringLiteral("Units per Hour"));
    note_ = &page.label(QStringLiteral("lblNote"), QStringLiteral("No other options available"));
}

void frmElement::declareLanguagesPage(Container& page) {
    for (int language = 1; language <= ElementRecord::Languages; ++language) {
        languages_[size_t(language - 1)] =
            &page.textBox(
                     QStringLiteral("txtLanguage"), language,
                     QStringLiteral("Language ") + QString::number(language) + QStringLiteral(":"))
                 .keys(KeyFilter::name())
                 .maxLength(30);
    }
    page.label(QStringLiteral("lblLanguages"),
               QStringLiteral("These alternate descriptions can be shown on the Kiosk entry "
                              "screen.  All reports and graphs will display the Description "
                              "above."));
}

void frmElement::showLanguages(int count) {
    for (int language = 1; language <= ElementRecord::Languages; ++language) {
        languages_[size_t(language - 1)]->setVisible(language <= count);
    }
}

Table<ElementRecord>& frmElement::elements() const {
    return system().elements();
}

bool frmElement::Edit(quintptr hwndOwner, VelmorSystem& system, bool viewOnly) {
    return runEdit(QStringLiteral(" - frmElement:Edit"), [&] {
        const bool corporateReady = !system.features().usesCorporateControl ||
                                    openForRun(system, system.corporateElements());
        if (!beginEdit(system, system.elements(), viewOnly || !corporateReady,
                       QStringLiteral("A"))) {
            return false;
        }
        showLanguages(std::clamp(system.features().languages, 0, int(ElementRecord::Languages)));
        setUpList();
        list().addColumn(QStringLiteral("Description"), 0, ListColumn::Kind::Text, 30);
        list().addColumn(QStringLiteral("Type"), 0, ListColumn::Kind::Text, 16);
        list().addColumn(QStringLiteral("Number"), 1, ListColumn::Kind::Number, 6);
        fillList();
        showList(hwndOwner, true);
        endEdit();
        return true;
    });
}

QString frmElement::typeText(const ElementRecord& element) {
    if (element.EntryType != ElementRecord::Standard) {
        return QStringLiteral("Quantity");
    }
    return element.StdType == ElementRecord::UnitsPerHour ? QStringLiteral("Units per Hour")
                                                          : QStringLiteral("Minutes per Unit");
}

bool frmElement::corporateControl() const {
    return system().features().usesCorporateControl;
}

bool frmElement::activeInCorporateFile(const QString& description) const {
    const auto& corporate = system().corporateElements();
    return corporate.isOpen() && !description.trimmed().isEmpty() &&
           corporate.find(description) != 0;
}

bool frmElement::anotherStandardElement(int number) const {
    for (int other = 1; other <= elements().recordCount(); ++other) {
        if (other != number && elements().isActive(other) &&
            elements().record(other).EntryType == ElementRecord::Standard) {
            return true;
        }
    }
    return false;
}

// --- the record window -----------------------------------------------------------------------

void frmElement::showEntryType() {
    const bool standard = standard_->value();
    standardFrame_->setEnabled(standard);
    note_->setVisible(!standard);
}

void frmElement::standardChosen() {
    if (!loading_ && anotherStandardElement(editing_)) {
        message(oneStandardElement, MB_ICONEXCLAMATION);
        quantity_->setValue(true);
        return;
    }
    showEntryType();
}

void frmElement::loadWindow(const ElementRecord& element) {
    loading_ = true;
    tabs_->select(1);  // each record opens at General
    description_->setText(element.Desc);
    (element.EntryType == ElementRecord::Standard ? standard_ : quantity_)->setValue(true);
    (element.StdType == ElementRecord::UnitsPerHour ? unitsPerHour_ : minutesPerUnit_)
        ->setValue(true);
    for (size_t language = 0; language < languages_.size(); ++language) {
        languages_[language]->setText(element.Lang[language]);
    }
    showEntryType();
    loading_ = false;
}

ElementRecord frmElement::windowRecord(ElementRecord element) const {
    element.Desc = description_->text();
    element.EntryType = standard_->value() ? ElementRecord::Standard : ElementRecord::Quantity;
    element.StdType =
        unitsPerHour_->value() ? ElementRecord::UnitsPerHour : ElementRecord::MinutesPerUnit;
    for (size_t language = 0; language < languages_.size(); ++language) {
        // Languages the system does not keep stay as stored.
        if (languages_[language]->visible()) {
            element.Lang[language] = languages_[language]->text();
        }
    }
    return element;
}

// The checks of OK in their order; a refusal has shown its message and the window reopens.
bool frmElement::refusedByRules(int number) {
    if (refusedAsBlank(*description_)) {
        return true;
    }
    if (corporateControl() && !activeInCorporateFile(description_->text())) {
        message(QStringLiteral("Element is not active in the Corporate Control File"),
                MB_ICONEXCLAMATION);
        return true;
    }
    if (takenByAnother(description_->text(), number)) {
        message(QStringLiteral("Element Code is not unique"), MB_ICONEXCLAMATION);
        return true;
    }
    if (standard_->value() && anotherStandardElement(number)) {
        message(oneStandardElement, MB_ICONEXCLAMATION);
        return true;
    }
    return false;
}

void frmElement::recordLoop(int number, const QString& caption) {
    const ElementRecord before =
        number <= elements().recordCount() ? elements().record(number) : ElementRecord{};
    editing_ = number;
    loadWindow(before);
    while (showRecord(caption + QString::number(number))) {
        if (refusedByRules(number)) {
            continue;
        }
        const ElementRecord after = windowRecord(before);
        elements().setRecord(number, after);
        recordWritten(
            number,
            before.Desc.trimmed().isEmpty() ? QStringLiteral("Add") : QStringLiteral("Edit"),
            changedFields(before, after));
        break;
    }
    editing_ = 0;
}

// --- list events -------------------------------------------------------------------------------

void frmElement::EditForm_AddRec() {
    if (const int number = freeRecordOrRefuse()) {
        recordLoop(number, addCaption());
    }
}

void frmElement::EditForm_EditRec(int number) {
    recordLoop(number, editCaption());
}

void frmElement::EditForm_DeleteRec(int number) {
    if (corporateControl() && activeInCorporateFile(elements().code(number))) {
        message(QStringLiteral("Cannot delete the Element selected.  It is active in the "
                               "Corporate Control File."),
                MB_ICONEXCLAMATION);
        return;
    }
    const QString where = elements().usedOn(number).trimmed();
    if (where.isEmpty()) {
        confirmAndRemove(number, 0);
        return;
    }
    message(QStringLiteral("Cannot delete the Element selected.  It is used on an ") + where +
                QStringLiteral(".  However, you can add its data to another element"),
            MB_ICONEXCLAMATION);
    deleteThroughDialog(number);
}

QStringList frmElement::lineTexts(int number) const {
    const ElementRecord element = elements().record(number);
    return {element.Desc.trimmed(), typeText(element)};
}

std::vector<PrintColumn> frmElement::printColumns() const {
    return {{QStringLiteral("Number"), 6},
            {QStringLiteral("Description"), 30},
            {QStringLiteral("Type"), 16}};
}

QStringList frmElement::printCells(int number) const {
    const ElementRecord element = elements().record(number);
    return {QString::number(number), element.Desc.trimmed(), typeText(element)};
}

}  // namespace vel
