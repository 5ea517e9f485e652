#include "app/velmor/MainWindow.h"

#include "app/velmor/HeadlessRun.h"
#include "app/velmor/JobProgress.h"
#include "app/velmor/RecentFolders.h"
#include "app/velmor/SystemOverview.h"
#include "component/OperationCatalog.h"
#include "data/ProgramObject.h"
#include "data/Masterfile.h"
#include "host/ReferenceSystem.h"
#include "services/HelpTopics.h"
#include "services/MessageWithSound.h"
#include "ui/qt/QtUi.h"

#include <utility>
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

namespace vel {

namespace {

const char* const settingNames[] = {"Show List",  "Track Cost",       "History Weeks",
                                    "Chime",      "Logo File",        "Quality",
                                    "Holidays",   "Soft Keys",        "Discipline",
                                    "Setting 9",  "XYZ",              "Maximum Work Centers",
                                    "Maximum Allocations"};

QHash<QString, QString> one(const char* name, const QString& value) {
    return {{QString::fromLatin1(name), value}};
}

}  // namespace

MainWindow::MainWindow(QtUi& ui, std::unique_ptr<ReferenceSystem> system, QWidget* parent)
    : QMainWindow(parent), ui_(ui),
      overview_(new SystemOverview(this)), statusLabel_(new QLabel(this)),
      progress_(new QProgressBar(this)), cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      jobProgress_(new JobProgress(this, [this] { ui_.pressStatusCancel(); })) {
    setCentralWidget(overview_);
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(160);
    progress_->hide();
    statusBar()->addWidget(statusLabel_, 1);
    statusBar()->addPermanentWidget(progress_);
    cancel_->hide();
    statusBar()->addPermanentWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, [this] { ui_.pressStatusCancel(); });
    ui_.setCancelSink([this](bool shown) {
        cancel_->setVisible(shown);
        jobProgress_->setCancellable(shown);
    });
    ui_.setStatusSink([this](const QString& text, int percent) { showStatus(text, percent); });
    buildMenus();
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        ui_.showHelp(helpFileInUse(), helpContextForForm(QStringLiteral("MainWindow")));
    });
    adopt(std::move(system));
    resize(900, 560);
}

void MainWindow::adopt(std::unique_ptr<ReferenceSystem> system) {
    system_ = std::move(system);
    if (system_) {
        system_->setNewSystemOpened([this](int number) { createdSystem_ = number; });
        RecentFolders::add({system_->Program().dataFolder(), system_->Program().systemNumber()});
    }
    fillRecentMenu();
    updateTitle();
}

void MainWindow::switchToSystem(int number) {
    QString error;
    std::unique_ptr<ReferenceSystem> system =
        vel::openSystem(system_->Program().dataFolder(), number, &error);
    if (!system) {
        MessageWithSound(QStringLiteral("Cannot open the system: ") + error,
                         MB_OK | MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
        return;
    }
    adopt(std::move(system));
}

MainWindow::~MainWindow() {
    ui_.setStatusSink({});
    ui_.setCancelSink({});
}

QMenu* MainWindow::menuNamed(const QString& title) const {
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (QString(menu->title()).remove(u'&') == title) {
            return menu;
        }
    }
    return nullptr;
}

void MainWindow::updateTitle() {
    overview_->show(system_.get());
    if (!system_) {
        setWindowTitle(QStringLiteral("Velmor"));
        statusLabel_->setText(QStringLiteral("Open a system with File > Open System."));
        return;
    }
    const QString title = system_->masterfile().titles().value(0);
    setWindowTitle(QStringLiteral("%1 - System %2 - Velmor")
                       .arg(title.isEmpty() ? system_->Program().dataFolder() : title)
                       .arg(system_->Program().systemNumber()));
    statusLabel_->setText(QStringLiteral("Ready"));
}

void MainWindow::showStatus(const QString& text, int percent) {
    if (!text.isNull()) {
        statusLabel_->setText(text);
    }
    progress_->setVisible(percent > 0 && percent < 100);
    progress_->setValue(percent);
    jobProgress_->status(text, percent);
}

QString MainWindow::invoke(const QString& operation, const QHash<QString, QString>& arguments) {
    if (!system_) {
        MessageWithSound(QStringLiteral("Open a system first (File > Open System)."),
                         MB_OK | MB_ICONINFORMATION, QStringLiteral("Velmor"));
        return {};
    }
    createdSystem_ = 0;
    jobProgress_->jobStarted();
    const CallOutcome outcome =
        OperationCatalog::call(component_, *system_, quintptr(winId()), operation, arguments);
    jobProgress_->jobEnded();
    if (createdSystem_ != 0) {
        switchToSystem(std::exchange(createdSystem_, 0));
    }
    if (!outcome.called() || outcome.errorNumber != 0) {
        const QString problem = outcome.called()
                                    ? QStringLiteral("Run-time error %1: %2").arg(outcome.errorNumber).arg(outcome.errorText)
                                    : outcome.refusal;
        MessageWithSound(problem, MB_OK | MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
        return {};
    }
    statusBar()->showMessage(QStringLiteral("%1: %2").arg(operation, outcome.result), 4000);
    overview_->show(system_.get());  // an operation may have changed the tables
    return outcome.result;
}

bool MainWindow::askFile(QHash<QString, QString>& arguments, const QString& name, const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.folder = system_ ? system_->Program().dataFolder() : QString();
    request.filter = QStringLiteral("Text Files (*.csv;*.txt)|*.csv;*.txt|All Files (*.*)|*.*");
    const QString file = ui_.openFileName(request);
    arguments.insert(name, file);
    return !file.isEmpty();
}

void MainWindow::addOperation(QMenu* menu, const QString& label, const QString& operation,
                              Arguments arguments) {
    QAction* action = menu->addAction(label);
    action->setStatusTip(OperationCatalog::find(operation)->summary);
    action->setData(operation);  // the operation it calls, for tests and scripts
    connect(action, &QAction::triggered, this, [this, operation, arguments] {
        QHash<QString, QString> values;
        if (!arguments || arguments(values)) {
            invoke(operation, values);
        }
    });
}

void MainWindow::openSystem() {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Open System"));
    if (folder.isEmpty()) {
        return;
    }
    const int number = QInputDialog::getInt(this, QStringLiteral("Open System"),
                                            QStringLiteral("System number:"), 1, 1, 999);
    QString error;
    std::unique_ptr<ReferenceSystem> system = vel::openSystem(folder, number, &error);
    if (!system) {
        MessageWithSound(QStringLiteral("Cannot open the system: ") + error,
                         MB_OK | MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
        return;
    }
    adopt(std::move(system));
}

void MainWindow::openRecent(const RecentFolder& recent) {
    QString error;
    std::unique_ptr<ReferenceSystem> system =
        vel::openSystem(recent.folder, recent.system, &error);
    if (!system) {
        RecentFolders::remove(recent.folder);
        fillRecentMenu();
        MessageWithSound(QStringLiteral("Cannot open the system: ") + error,
                         MB_OK | MB_ICONEXCLAMATION, QStringLiteral("Velmor"));
        return;
    }
    adopt(std::move(system));
}

void MainWindow::fillRecentMenu() {
    if (!recentMenu_) {
        return;
    }
    recentMenu_->clear();
    const std::vector<RecentFolder> folders = RecentFolders::load();
    for (size_t index = 0; index < folders.size(); ++index) {
        const RecentFolder recent = folders[index];
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2 (system %3)")
                                                     .arg(index + 1)
                                                     .arg(recent.folder)
                                                     .arg(recent.system));
        connect(action, &QAction::triggered, this, [this, recent] { openRecent(recent); });
    }
    recentMenu_->setEnabled(!folders.empty());
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open System..."), this, &MainWindow::openSystem);
    recentMenu_ = file->addMenu(QStringLiteral("Recent &Folders"));
    fillRecentMenu();
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

    QMenu* tables = menuBar()->addMenu(QStringLiteral("&Tables"));
    addOperation(tables, QStringLiteral("&Activities..."), QStringLiteral("EditActivity"));
    addOperation(tables, QStringLiteral("A&ssociates..."), QStringLiteral("EditAssociate"));
    addOperation(tables, QStringLiteral("&Work Centers..."), QStringLiteral("EditWorkCenter"));
    addOperation(tables, QStringLiteral("A&llocations..."), QStringLiteral("EditAllocation"));
    addOperation(tables, QStringLiteral("&Elements..."), QStringLiteral("EditElement"));
    addOperation(tables, QStringLiteral("&Types of Work..."), QStringLiteral("EditTypeofWork"));
    addOperation(tables, QStringLiteral("&Mistakes..."), QStringLiteral("EditMistakes"));
    tables->addSeparator();
    addOperation(tables, QStringLiteral("System T&itles..."), QStringLiteral("EditTitle"));
    QMenu* settings = tables->addMenu(QStringLiteral("Se&ttings"));
    for (int type = _minsetting; type <= _maxsetting; ++type) {
        addOperation(settings, QString::fromLatin1(settingNames[type]) + QStringLiteral("..."),
                     QStringLiteral("EditSettings"), [type](QHash<QString, QString>& values) {
                         values = one("SettingType", QString::number(type));
                         return true;
                     });
    }

    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Reports"));
    addOperation(reports, QStringLiteral("Associate &History..."), QStringLiteral("PrintAssocHist"));
    addOperation(reports, QStringLiteral("Associate &Qualifications..."), QStringLiteral("PrintAssocQual"));
    addOperation(reports, QStringLiteral("Associate &Accountability..."),
                 QStringLiteral("PrintAssocAccountability"));
    addOperation(reports, QStringLiteral("&Quick Report..."), QStringLiteral("PrintQuickReport"));
    addOperation(reports, QStringLiteral("Prefill the Quick Report with &This Week"),
                 QStringLiteral("SetPrefillData"), [](QHash<QString, QString>& values) {
                     const QDate today = QDate::currentDate();
                     const QDate monday = today.addDays(1 - today.dayOfWeek());
                     values = {{QStringLiteral("DateRangeType"), QStringLiteral("1")},
                               {QStringLiteral("StartDate"), monday.toString(QStringLiteral("yyyy/MM/dd"))},
                               {QStringLiteral("LastDate"), today.toString(QStringLiteral("yyyy/MM/dd"))}};
                     return true;
                 });
    addOperation(reports, QStringLiteral("List of &Day Information"), QStringLiteral("PrintDayInfo"));

    QMenu* maintenance = menuBar()->addMenu(QStringLiteral("&Maintenance"));
    addOperation(maintenance, QStringLiteral("&New System..."), QStringLiteral("CreateNewSystem"));
    addOperation(maintenance, QStringLiteral("&Clone System"), QStringLiteral("CloneSystem"));
    addOperation(maintenance, QStringLiteral("&Week-End Processing"), QStringLiteral("WeekEndProcess"));
    addOperation(maintenance, QStringLiteral("&Backup..."), QStringLiteral("Backup"));
    maintenance->addSeparator();
    addOperation(maintenance, QStringLiteral("Create Co&rporate Control Files..."),
                 QStringLiteral("CreateCorporateControl"));
    addOperation(maintenance, QStringLiteral("Re-create Corporate Control Files &Silently"),
                 QStringLiteral("CreateCorporateControlEX"), [](QHash<QString, QString>& values) {
                     values = one("Silent", QStringLiteral("True"));
                     return true;
                 });
    maintenance->addSeparator();
    addOperation(maintenance, QStringLiteral("Re&index Standards"), QStringLiteral("ReindexStandards"));
    addOperation(maintenance, QStringLiteral("Re&build Standards"), QStringLiteral("ReBuildStandards"));

    QMenu* transfer = menuBar()->addMenu(QStringLiteral("Tr&ansfer"));
    addOperation(transfer, QStringLiteral("Send Backup by &HTTP"), QStringLiteral("ZipandHTTP"));
    addOperation(transfer, QStringLiteral("Send Backup by &FTP"), QStringLiteral("ZipandFTP"));
    addOperation(transfer, QStringLiteral("Download Program &Update"), QStringLiteral("DownloadUpdate"));
    addOperation(transfer, QStringLiteral("Download &Component..."), QStringLiteral("DownloadComponent"),
                 [this](QHash<QString, QString>& values) {
                     bool ok = false;
                     const QString name = QInputDialog::getText(this, QStringLiteral("Download Component"),
                                                                QStringLiteral("File name:"), QLineEdit::Normal,
                                                                {}, &ok);
                     values = one("FTPFileName", name);
                     return ok && !name.isEmpty();
                 });

    QMenu* data = menuBar()->addMenu(QStringLiteral("&Import/Export"));
    addOperation(data, QStringLiteral("Import &Associates..."), QStringLiteral("ImportAssociates"),
                 [this](QHash<QString, QString>& values) {
                     return askFile(values, QStringLiteral("ImportFile"), QStringLiteral("Import Associates"));
                 });
    addOperation(data, QStringLiteral("Import Associates, Skipping the &Header Row..."),
                 QStringLiteral("ImportAssociatesEX"), [this](QHash<QString, QString>& values) {
                     values.insert(QStringLiteral("RowstoSkip"), QStringLiteral("1"));
                     return askFile(values, QStringLiteral("ImportFile"), QStringLiteral("Import Associates"));
                 });
    addOperation(data, QStringLiteral("Import Associates, &Deleting Those Not in the File..."),
                 QStringLiteral("ImportAssociatesEX1"), [this](QHash<QString, QString>& values) {
                     values.insert(QStringLiteral("DeleteNonImported"), QStringLiteral("True"));
                     return askFile(values, QStringLiteral("ImportFile"), QStringLiteral("Import Associates"));
                 });
    addOperation(data, QStringLiteral("Import A&llocations..."), QStringLiteral("ImportAllocations"),
                 [this](QHash<QString, QString>& values) {
                     return askFile(values, QStringLiteral("ImportFile"), QStringLiteral("Import Allocations"));
                 });
    addOperation(data, QStringLiteral("Check the &Corporate Associate File"),
                 QStringLiteral("CheckCorpAssocImport"));
    data->addSeparator();
    addOperation(data, QStringLiteral("Export &Tables..."), QStringLiteral("ExportTables"));
    QMenu* automatic = data->addMenu(QStringLiteral("Export One Table &Automatically"));
    for (const char* table : {"Activities", "Associates", "WorkCenters", "Allocations", "Elements",
                              "TypesofWork", "Mistakes", "Standards"}) {
        addOperation(automatic, QString::fromLatin1(table), QStringLiteral("AutoExportTable"),
                     [table](QHash<QString, QString>& values) {
                         values = one("Obj", QString::fromLatin1(table));
                         return true;
                     });
    }
    addOperation(data, QStringLiteral("Export Activity &Detail..."), QStringLiteral("ExportActivityDetail"));
    addOperation(data, QStringLiteral("&Write Last Week's Activity Detail..."),
                 QStringLiteral("WriteActivityDetailData"), [this](QHash<QString, QString>& values) {
                     FileDialogRequest request;
                     request.title = QStringLiteral("Activity Detail File");
                     request.fileName = QStringLiteral("ActDetail.csv");
                     const QString file = ui_.saveFileName(request);
                     const QDate end = QDate::currentDate().addDays(-QDate::currentDate().dayOfWeek());
                     values = {{QStringLiteral("ExpFileName"), file},
                               {QStringLiteral("StartDate"), end.addDays(-6).toString(QStringLiteral("yyyy/MM/dd"))},
                               {QStringLiteral("EndDate"), end.toString(QStringLiteral("yyyy/MM/dd"))}};
                     return !file.isEmpty();
                 });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("T&ools"));
    QMenu* startedFrom = tools->addMenu(QStringLiteral("Program &Started From"));
    auto* group = new QActionGroup(this);
    const char* const flags[] = {"&Menu", "&Script", "&Command Line"};
    for (int flag = eCMDMenu; flag <= eCMDCommandLine; ++flag) {
        QAction* action = startedFrom->addAction(QString::fromLatin1(flags[flag]));
        action->setCheckable(true);
        action->setData(QStringLiteral("CommandLineFlag"));
        action->setChecked(flag == component_.CommandLineFlag());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, flag] {
            invoke(QStringLiteral("CommandLineFlag"), one("Value", QString::number(flag)));
        });
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Contents"), this,
                    [this] { ui_.showHelp(helpFileInUse(), 0); });
    QAction* window = help->addAction(QStringLiteral("The &Main Window"), this, [this] {
        ui_.showHelp(helpFileInUse(), helpContextForForm(QStringLiteral("MainWindow")));
    });
    window->setShortcut(QKeySequence::HelpContents);
    window->setShortcutContext(Qt::WidgetShortcut);  // F1 itself is the window's shortcut
    help->addAction(QStringLiteral("&Unattended Runs"), this, [this] {
        ui_.showHelp(helpFileInUse(), helpContextForPage(QStringLiteral("command-line.html")));
    });
}

}  // namespace vel
