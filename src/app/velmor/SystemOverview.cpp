#include "app/velmor/SystemOverview.h"

#include "data/Masterfile.h"
#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vel {

namespace {

void clear(QFormLayout* layout) {
    while (layout->rowCount() > 0) {
        layout->removeRow(0);
    }
}

QString fill(TableObject& table) {
    const bool wasOpen = table.isOpen();
    if (!wasOpen && !table.open()) {
        return QStringLiteral("cannot be opened");
    }
    const QString text = QStringLiteral("%1 active of %2 maximum").arg(table.activeCount()).arg(table.maximum());
    if (!wasOpen) {
        table.close();
    }
    return text;
}

}  // namespace

SystemOverview::SystemOverview(QWidget* parent)
    : QWidget(parent), heading_(new QLabel(this)), details_(new QFormLayout), tables_(new QFormLayout) {
    QFont font = heading_->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    heading_->setFont(font);
    auto* system = new QGroupBox(QStringLiteral("System"), this);
    system->setLayout(details_);
    auto* tables = new QGroupBox(QStringLiteral("Master Tables"), this);
    tables->setLayout(tables_);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(system, 1);
    boxes->addWidget(tables, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(14);
    layout->addWidget(heading_);
    layout->addLayout(boxes);
    layout->addStretch(1);
}

void SystemOverview::show(VelmorSystem* system) {
    clear(details_);
    clear(tables_);
    if (!system) {
        heading_->setText(QStringLiteral("No system is open"));
        details_->addRow(new QLabel(QStringLiteral("Open one with File > Open System.")));
        return;
    }
    ProgramObject& program = system->Program();
    const QString title = system->masterfile().titles().value(0);
    heading_->setText(title.isEmpty() ? QStringLiteral("System %1").arg(program.systemNumber()) : title);
    details_->addRow(QStringLiteral("Data folder:"), new QLabel(program.dataFolder()));
    details_->addRow(QStringLiteral("System number:"), new QLabel(QString::number(program.systemNumber())));
    const SystemFeatures features = system->features();
    QStringList modules;
    const std::pair<bool, const char*> flags[] = {
        {features.mistakeTracking, "Mistake tracking"}, {features.quality, "Quality"},
        {features.performancePolicy, "Performance policy"}, {features.incentive, "Incentive"},
        {features.xyz, "XYZ travel"}, {features.dataCollection, "Data collection"},
        {features.costTracking, "Cost tracking"}, {features.usesCorporateControl, "Corporate control"}};
    for (const auto& [on, name] : flags) {
        if (on) {
            modules << QString::fromLatin1(name);
        }
    }
    auto* moduleLabel = new QLabel(modules.isEmpty() ? QStringLiteral("(none)") : modules.join(QStringLiteral(", ")));
    moduleLabel->setWordWrap(true);
    details_->addRow(QStringLiteral("Modules:"), moduleLabel);

    const std::pair<const char*, TableObject*> tables[] = {
        {"Activities:", &system->activities()},   {"Elements:", &system->elements()},
        {"Types of work:", &system->typesOfWork()}, {"Mistakes:", &system->mistakes()},
        {"Allocations:", &system->allocations()}, {"Associates:", &system->associates()},
        {"Work centers:", &system->workCenters()}};
    for (const auto& [label, table] : tables) {
        tables_->addRow(QString::fromLatin1(label), new QLabel(fill(*table)));
    }
}

}  // namespace vel
