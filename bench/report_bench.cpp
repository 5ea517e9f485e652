// The associate production analysis of every associate of the large demo site over the long-term
// history, to a PDF file: reading the figures (through the recorded work) timed apart from laying
// out the pages and painting the PDF, and the whole run as a person starts it. The site is
// generated once, before the benchmarks run. Goal: the whole run under 2 s.
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "platform/print/PdfPrintOutput.h"
#include "platform/print/TBPrint.h"
#include "reports/AssociateHistory.h"
#include "reports/ProductionReport.h"
#include "reports/ReportPrinter.h"

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

QTemporaryDir* site = nullptr;

vel::ProductionOptions everyAssociate() {
    vel::ProductionOptions options;
    options.history = vel::HistoryKind::LongTerm;
    options.grouping = vel::ReportGrouping::HomeWorkCenter;
    options.sort = vel::ProductionSort::LongTermPerformance;
    return options;
}

// Opens the tables a run reads.
bool openTables(vel::ReferenceSystem& system) {
    return system.associates().open() && system.workCenters().open() && system.groupings().open();
}

void readFigures(vel::ReferenceSystem& system, vel::ReportFigures& figures) {
    const vel::ProductionOptions options = everyAssociate();
    vel::readAssociateHistory(system, system.recordedWork(), options.selection(), figures);
}

bool printToPdf(vel::ReferenceSystem& system, const vel::ReportFigures& figures) {
    vel::TBPrint printer;
    vel::ReportPrinter events(system, printer);
    events.setPageChoices(
        [](vel::PageSetup& setup) { setup.orientation = vel::PrintOrientation::Landscape; });
    vel::PdfPrintOutput pdf(site->filePath(QStringLiteral("production.pdf")));
    return vel::ProductionReport(system, everyAssociate(), figures).print(printer, events) &&
           printer.sendTo(pdf);
}

void ReadingTheFiguresOfEveryAssociate(benchmark::State& state) {
    vel::ReferenceSystem system(site->path(), 1);
    system.errors().setEchoToStandardError(false);
    if (!openTables(system)) {
        state.SkipWithError("the tables did not open");
        return;
    }
    for (auto _ : state) {
        vel::ReportFigures figures;
        readFigures(system, figures);
        state.counters["associates"] = double(figures.associates.size());
    }
}
BENCHMARK(ReadingTheFiguresOfEveryAssociate)->Unit(benchmark::kMillisecond)->Iterations(5);

void LayingOutAndPaintingThePdf(benchmark::State& state) {
    vel::ReferenceSystem system(site->path(), 1);
    system.errors().setEchoToStandardError(false);
    vel::ReportFigures figures;
    if (!openTables(system)) {
        state.SkipWithError("the tables did not open");
        return;
    }
    readFigures(system, figures);
    for (auto _ : state) {
        if (!printToPdf(system, figures)) {
            state.SkipWithError("the PDF was not written");
            return;
        }
    }
}
BENCHMARK(LayingOutAndPaintingThePdf)->Unit(benchmark::kMillisecond)->Iterations(5);

void TheWholeRunFromOpeningTheSystem(benchmark::State& state) {
    for (auto _ : state) {
        vel::ReferenceSystem system(site->path(), 1);
        system.errors().setEchoToStandardError(false);
        vel::ReportFigures figures;
        if (!openTables(system)) {
            state.SkipWithError("the tables did not open");
            return;
        }
        readFigures(system, figures);
        if (!printToPdf(system, figures)) {
            state.SkipWithError("the PDF was not written");
            return;
        }
    }
}
BENCHMARK(TheWholeRunFromOpeningTheSystem)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);  // fonts for painting the PDF
    QTemporaryDir folder;
    QString error;
    if (!vel::createDemoSite(folder.path(), vel::DemoSize::Large, &error)) {
        std::fprintf(stderr, "cannot create the large demo site: %s\n", qPrintable(error));
        return 1;
    }
    site = &folder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
