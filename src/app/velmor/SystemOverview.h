#pragma once
// The main window's centre: which system is open, and how full each master table is.
#include <QWidget>

class QFormLayout;
class QLabel;

namespace vel {

class VelmorSystem;

class SystemOverview : public QWidget {
    Q_OBJECT
public:
    explicit SystemOverview(QWidget* parent = nullptr);
    // Shows the system (nullptr: none open). Tables that cannot be opened say so.
    void show(VelmorSystem* system);

private:
    QLabel* heading_;
    QFormLayout* details_;
    QFormLayout* tables_;
};

}  // namespace vel
