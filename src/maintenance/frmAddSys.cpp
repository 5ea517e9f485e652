#include "maintenance/frmAddSys.h"

#include "data/VelmorSystem.h"
#include "services/ErrorReport.h"
#include "services/MessageWithSound.h"
#include "services/NumberFormat.h"
#include "services/ShowLikeModal.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/KeyFilter.h"
#include "ui/Label.h"
#include "ui/MessageBoxCodes.h"
#include "ui/OptionButton.h"
#include "ui/TextBox.h"
#include "ui/WizardButtons.h"

#include <QLocale>

namespace vel {

namespace {

constexpr int defaultActivities = 100;
constexpr int defaultYears = 2;
constexpr int firstYear = 1900;
constexpr int lastYear = 2037;
const QString ruler(40, u'=');

const QString levelCaptions[] = {QStringLiteral("Day (371 data points per year)"),
                                 QStringLiteral("Week (53 data points per year)"),
                                 QStringLiteral("Period or Month (26 data points per year)")};

int number(const TextBox& box) {
    return box.text().trimmed().toInt();
}

}  // namespace

frmAddSys::~frmAddSys() = default;

frmAddSys::frmAddSys() : Form(QStringLiteral("frmAddSys"), QStringLiteral("Add a New System")) {
    auto& parameters = frame(QStringLiteral("Frame1"), 0, QStringLiteral("System Parameters:"));
    title_ = &parameters.textBox(QStringLiteral("SysName"), QStringLiteral("System &Title:"))
                  .maxLength(40);
    startYear_ = &parameters.textBox(QStringLiteral("SysParam"), 0, QStringLiteral("&Start Year:"))
                      .keys(KeyFilter::digits())
                      .maxLength(4);
    activities_ = &parameters
                       .textBox(QStringLiteral("SysParam"), 1,
                                QStringLiteral("Estimated Number of &Activities:"))
                       .keys(KeyFilter::digits())
                       .maxLength(5);
    auto& start = frame(QStringLiteral("Frame1"), 1, QStringLiteral("Start Date:"));
    calendar_ = &start.dateBox(QStringLiteral("Calendar"));
    auto& size = frame(QStringLiteral("Frame1"), 2, QStringLiteral("Tallybook System Size:"));
    for (int level = 0; level < 3; ++level) {
        level_[level] = &size.option(QStringLiteral("optDataLevel"), level, levelCaptions[level]);
    }
    fields_ = &size.textBox(QStringLiteral("SysSize"), 0, QStringLiteral("Allocated &Fields:"))
                   .keys(KeyFilter::digits())
                   .maxLength(6);
    years_ = &size.textBox(QStringLiteral("SysSize"), 1, QStringLiteral("Allocated &Years:"))
                  .keys(KeyFilter::digits())
                  .maxLength(1);
    auto& summary = frame(QStringLiteral("Frame1"), 3, QStringLiteral("Summary:"));
    summary_ = &summary.label(QStringLiteral("lblSummary"), QString());
    page_[0] = &parameters;
    page_[1] = &start;
    page_[2] = &size;
    page_[3] = &summary;

    buttons_ = std::make_unique<WizardButtons>(
        *this, [this] { showPage(current_ - 1); }, [this] { next(); },
        [this] { system_->showHelp(helpContextID()); });
}

void frmAddSys::Form_Load() {
    const int year = QDate::currentDate().year();
    title_->setText(QStringLiteral("New System"));
    startYear_->setText(QString::number(year));
    activities_->setText(QString::number(defaultActivities));
    calendar_->setDate(QDate(year, 1, 1));
    calendarYear_ = year;
    level_[0]->setValue(true);
    suggestedFields_ = builder_->minimumFields(choices());
    fields_->setText(QString::number(suggestedFields_));
    years_->setText(QString::number(defaultYears));
    if (clone_) {
        showCloneShape();
    }
    showPage(0);
}

void frmAddSys::showCloneShape() {
    title_->setText(cloneShape_.title);
    startYear_->setText(QString::number(cloneShape_.startYear));
    activities_->setText(QString::number(cloneShape_.activities));
    calendar_->setDate(cloneShape_.fiscalStart);
    calendarYear_ = cloneShape_.startYear;
    level_[int(cloneShape_.dataLevel)]->setValue(true);
    suggestedFields_ = cloneShape_.fields;
    fields_->setText(QString::number(cloneShape_.fields));
    years_->setText(QString::number(cloneShape_.years));
    for (Control* fixed :
         std::initializer_list<Control*>{startYear_, activities_, calendar_, level_[0], level_[1],
                                         level_[2], fields_, years_}) {
        fixed->setEnabled(false);
    }
}

bool frmAddSys::Ask(quintptr ownerHandle, VelmorSystem& system, const NewSystemBuilder& builder,
                    NewSystemParameters& chosen, bool clone) {
    system_ = &system;
    builder_ = &builder;
    created_ = false;
    clone_ = clone;
    cloneShape_ = chosen;
    setCaption(clone ? QStringLiteral("Clone a System") : QStringLiteral("Add a New System"));
    guarded(QStringLiteral(" - frmAddSys:Ask"), [&] {
        ShowLikeModal(*this, ownerHandle);
        if (created_) {
            chosen = choices();
        }
        unload();
    });
    return created_;
}

void frmAddSys::showPage(int page) {
    current_ = qBound(0, page, pages - 1);
    for (int index = 0; index < pages; ++index) {
        page_[index]->setVisible(index == current_);
    }
    buttons_->showPage(current_ == 0, current_ == pages - 1, QStringLiteral("&Create"));
}

bool frmAddSys::refuse(const QString& prompt, Control& field) {
    MessageWithSound(prompt, MB_OK | MB_ICONEXCLAMATION);
    field.setFocus();
    return false;
}

bool frmAddSys::pageAccepted(int page) {
    if (page == 0) {
        if (title_->text().trimmed().isEmpty()) {
            return refuse(QStringLiteral("System Title cannot be empty"), *title_);
        }
        if (clone_) {
            return true;  // the rest is the cloned system's, which the person cannot change
        }
        const int year = number(*startYear_);
        if (year < firstYear || year > lastYear) {
            return refuse(QStringLiteral("Start Year must be greater than 1899 and less than 2038"),
                          *startYear_);
        }
        const int activities = number(*activities_);
        if (activities <= 0 || activities >= builder_->activityLimit()) {
            return refuse(
                QStringLiteral("Number of Activities must be greater than 0 and less than ") +
                    QString::number(builder_->activityLimit()),
                *activities_);
        }
    } else if (page == 2 && !clone_) {
        const int minimum = builder_->minimumFields(choices());
        if (number(*fields_) < minimum) {
            return refuse(
                QStringLiteral("Cannot set Fields to less that the minimum required of: ") +
                    QString::number(minimum),
                *fields_);
        }
        const int years = number(*years_);
        if (years < 2 || years > 9) {
            return refuse(QStringLiteral("Cannot set Years to less than 2 or more than 9"),
                          *years_);
        }
    }
    return true;
}

void frmAddSys::next() {
    if (!pageAccepted(current_)) {
        return;
    }
    if (current_ == pages - 1) {
        created_ = true;
        hide();
        return;
    }
    if (current_ == 0 && number(*startYear_) != calendarYear_) {
        calendarYear_ = number(*startYear_);
        calendar_->setDate(QDate(calendarYear_, 1, 1));
    }
    if (current_ == 1 && !clone_) {
        suggestFields();
    }
    if (current_ == 2) {
        summary_->setCaption(summary());
    }
    showPage(current_ + 1);
}

void frmAddSys::suggestFields() {
    const int minimum = builder_->minimumFields(choices());
    const int typed = number(*fields_);
    suggestedFields_ = typed == suggestedFields_ ? minimum : qMax(typed, minimum);
    fields_->setText(QString::number(suggestedFields_));
}

NewSystemParameters frmAddSys::choices() const {
    NewSystemParameters chosen;
    chosen.title = title_->text().trimmed();
    chosen.startYear = number(*startYear_);
    chosen.fiscalStart = calendar_->date();
    chosen.activities = number(*activities_);
    chosen.dataLevel = level_[2]->value()   ? DataLevel::Period
                       : level_[1]->value() ? DataLevel::Week
                                            : DataLevel::Day;
    chosen.fields = number(*fields_);
    chosen.years = number(*years_);
    return chosen;
}

QString frmAddSys::summary() const {
    const NewSystemParameters chosen = choices();
    const QStringList lines{
        QStringLiteral("Start Date for Fiscal Year: ") +
            QLocale(QLocale::English).toString(chosen.fiscalStart, QStringLiteral("MMMM d")),
        QStringLiteral("System Name: ") + chosen.title,
        QStringLiteral("Start Year: ") + QString::number(chosen.startYear),
        QStringLiteral("Start Calendar Date: ") + longDateText(chosen.fiscalStart),
        QStringLiteral("Estimated Number of Activities: ") + QString::number(chosen.activities),
        ruler,
        QStringLiteral(" Tallybook - Data Level: ") + levelCaptions[int(chosen.dataLevel)],
        QStringLiteral(" Tallybook - Datafields: ") + QString::number(chosen.fields),
        QStringLiteral(" Tallybook - Years: ") + QString::number(chosen.years),
        ruler,
        QStringLiteral("Space required on Disk Drive: ") +
            FormatNumber(double(builder_->diskSpace(chosen)), QStringLiteral("#,##0")) +
            QStringLiteral(" bytes"),
        QStringLiteral("To create this system press the Create button")};
    return lines.join(u'\n');
}

}  // namespace vel
