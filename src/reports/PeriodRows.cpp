#include "reports/PeriodRows.h"

#include "reports/FiscalCalendarRules.h"
#include "ui/Container.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/KeyFilter.h"
#include "ui/Label.h"
#include "ui/NumberBox.h"
#include "ui/TextBox.h"

#include <algorithm>

namespace vel {

namespace {

constexpr int PeriodNameLength = 20;
constexpr int WeeksLength = 2;

QString rowCaption(int number) {
    return QStringLiteral("Period ") + QString::number(number) + QStringLiteral(":");
}

}  // namespace

PeriodRows::PeriodRows(Container& page) {
    countBox_ = &page.textBox(QStringLiteral("txtPeriods"), QStringLiteral("Number of &Periods:"))
                     .keys(KeyFilter::digits())
                     .maxLength(WeeksLength)
                     .tip(QStringLiteral("How many periods the fiscal year has (1 to 52)"));
    countBox_->onChange([this] { countChanged(); });
    auto& columns = page.line();
    auto& names = columns.frame(QStringLiteral("fraNames"), QStringLiteral("Period Names"));
    auto& weeks = columns.frame(QStringLiteral("fraWeeks"), QStringLiteral("Weeks"));
    for (int row = 0; row < VisibleRows; ++row) {
        names_[size_t(row)] = &names.textBox(QStringLiteral("PeriodName"), row, rowCaption(row + 1))
                                   .keys(KeyFilter::name())
                                   .maxLength(PeriodNameLength);
        names_[size_t(row)]->onChange([this, row] { nameChanged(row); });
        weeks_[size_t(row)] = &weeks.textBox(QStringLiteral("Weeks"), row)
                                   .keys(KeyFilter::digits())
                                   .maxLength(WeeksLength);
        weeks_[size_t(row)]->onChange([this, row] { weeksChanged(row); });
    }
    auto& below = page.line();
    scroll_ = &below.numberBox(QStringLiteral("VScroll1"), QStringLiteral("&Show from Period:"))
                   .range(1, 1)
                   .tip(QStringLiteral("The period shown in the first row"));
    scroll_->onChange([this] { scrolled(); });
    total_ = &below.label(QStringLiteral("lblTotal"), QString());
}

void PeriodRows::setPeriods(std::vector<FiscalPeriod> periods) {
    periods_ = std::move(periods);
    if (periods_.size() > size_t(MostPeriods)) {
        periods_.resize(size_t(MostPeriods));
    }
    count_ = int(periods_.size());
    first_ = 0;
    filling_ = true;
    countBox_->setText(QString::number(count_));
    filling_ = false;
    showRows();
    edited_ = false;
}

std::vector<FiscalPeriod> PeriodRows::periods() const {
    return {periods_.begin(), periods_.begin() + count_};
}

int PeriodRows::enteredCount() const {
    return countBox_->text().toInt();
}

void PeriodRows::focusCount() {
    countBox_->form().setFocus(*countBox_);
}

void PeriodRows::focusWeeks(int number) {
    const int index = std::clamp(number - 1, 0, std::max(0, count_ - 1));
    if (index < first_ || index >= first_ + VisibleRows) {
        first_ = index;
        showRows();
    }
    TextBox& box = *weeks_[size_t(index - first_)];
    box.form().setFocus(box);
}

void PeriodRows::countChanged() {
    if (filling_) {
        return;
    }
    count_ = std::clamp(enteredCount(), 0, MostPeriods);
    if (periods_.size() < size_t(count_)) {
        periods_.resize(size_t(count_));
    }
    edited_ = true;
    showRows();
}

void PeriodRows::nameChanged(int row) {
    if (filling_) {
        return;
    }
    periods_.at(size_t(first_ + row)).name = names_[size_t(row)]->text();
    edited_ = true;
}

void PeriodRows::weeksChanged(int row) {
    if (filling_) {
        return;
    }
    periods_.at(size_t(first_ + row)).length = weeks_[size_t(row)]->text().toInt();
    edited_ = true;
    showTotal();
}

void PeriodRows::scrolled() {
    if (filling_) {
        return;
    }
    first_ = int(scroll_->value()) - 1;
    showRows();
}

// Fills the rows from the period in the first row on, and the scroll box's limits.
void PeriodRows::showRows() {
    const int lastFirst = std::max(0, count_ - VisibleRows);
    first_ = std::clamp(first_, 0, lastFirst);
    filling_ = true;
    scroll_->range(1, lastFirst + 1);
    scroll_->setValue(first_ + 1);
    scroll_->setEnabled(lastFirst > 0);
    for (int row = 0; row < VisibleRows; ++row) {
        const int index = first_ + row;
        const bool shown = index < count_;
        names_[size_t(row)]->setVisible(shown);
        weeks_[size_t(row)]->setVisible(shown);
        if (shown) {
            const FiscalPeriod& period = periods_[size_t(index)];
            names_[size_t(row)]->setCaption(rowCaption(index + 1));
            names_[size_t(row)]->setText(period.name);
            weeks_[size_t(row)]->setText(period.length > 0 ? QString::number(period.length)
                                                           : QString());
        }
    }
    filling_ = false;
    showTotal();
}

void PeriodRows::showTotal() {
    total_->setCaption(QStringLiteral("Total Weeks: ") + QString::number(totalLength(periods())));
}

}  // namespace vel
