#pragma once
// The program's main window: menus that reach every operation of the command class on the open
// system, and a status bar that shows the status texts and percentages of the running one (with
// a progress window for a job that runs longer than a second). It remembers the data folders it
// worked on and offers them under File > Recent Folders; F1 opens its help page.
#include "component/CVelUI.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <memory>

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;

namespace vel {

class JobProgress;
class QtUi;
struct RecentFolder;
class SystemOverview;
class ReferenceSystem;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(QtUi& ui, std::unique_ptr<ReferenceSystem> system, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Calls an operation by name as the menus do; returns its result text.
    QString invoke(const QString& operation, const QHash<QString, QString>& arguments = {});
    QMenu* menuNamed(const QString& title) const;
    JobProgress& jobProgress() const { return *jobProgress_; }
    // Opens a folder of the recent list; one that no longer opens is dropped from the list.
    void openRecent(const RecentFolder& recent);

private:
    using Arguments = std::function<bool(QHash<QString, QString>&)>;  // false: the person cancelled

    void buildMenus();
    void addOperation(QMenu* menu, const QString& label, const QString& operation,
                      Arguments arguments = {});
    bool askFile(QHash<QString, QString>& arguments, const QString& name, const QString& title);
    void openSystem();
    void fillRecentMenu();
    // Makes the system the one the window works on; a system it creates is taken on next.
    void adopt(std::unique_ptr<ReferenceSystem> system);
    // Opens the system of that number in the current data folder and works on it.
    void switchToSystem(int number);
    void showStatus(const QString& text, int percent);
    void updateTitle();

    QtUi& ui_;
    std::unique_ptr<ReferenceSystem> system_;
    int createdSystem_ = 0;  // a system created by the running operation, opened after it
    CVelUI component_;
    SystemOverview* overview_;
    QLabel* statusLabel_;
    QProgressBar* progress_;
    QPushButton* cancel_;  // beside the progress while a transfer can be stopped
    JobProgress* jobProgress_;
    QMenu* recentMenu_ = nullptr;
};

}  // namespace vel
