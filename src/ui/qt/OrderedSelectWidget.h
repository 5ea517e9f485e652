#pragma once
// OrderedSelectWidget: two lists side by side, the items still available on the left and the
// chosen ones, in order, on the right, with buttons to add, remove and move the chosen items.
// Double-clicking an item adds or removes it. The widget only asks; the binding decides.
#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace vel {

class OrderedSelectWidget : public QWidget {
    Q_OBJECT
public:
    explicit OrderedSelectWidget(QWidget* parent);

    // Shows the items; chosen holds indexes into available, in order; limit 0 means none.
    void setItems(const QStringList& available, const QList<int>& chosen, int limit);
    void setReadOnly(bool readOnly);
    void selectChosen(int position);

    QListWidget* availableList() const { return available_; }
    QListWidget* chosenList() const { return chosen_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }

Q_SIGNALS:
    void addRequested(const QList<int>& availableIndexes);
    void removeRequested(int position);
    void moveRequested(int position, int offset);

private:
    void updateButtons();
    void requestAdd();

    QLabel* chosenLabel_;
    QListWidget* available_;
    QListWidget* chosen_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* up_;
    QPushButton* down_;
    QList<int> availableRows_;  // available index of each row of the left list
    int chosenCount_ = 0;
    int limit_ = 0;
    bool readOnly_ = false;
};

}  // namespace vel
