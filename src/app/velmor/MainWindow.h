#pragma once
// The program's main window: menus that reach every operation of the command class on the open
// system, and a status bar that shows the status texts and percentages of the running one.
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

class QtUi;
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

private:
    using Arguments = std::function<bool(QHash<QString, QString>&)>;  // false: the person cancelled

    void buildMenus();
    void addOperation(QMenu* menu, const QString& label, const QString& operation,
                      Arguments arguments = {});
    bool askFile(QHash<QString, QString>& arguments, const QString& name, const QString& title);
    void openSystem();
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
};

}  // namespace vel
