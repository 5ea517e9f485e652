#pragma once
// "Check Tallybook Data...": finds the associates whose recorded data starts before their hire
// date, prints them ("List of Associates with Tallybook Data before their Hire Date"), and on
// the person's OK clears that data through the system object.
#include "platform/editshell/EditFormEvents.h"

#include <QDate>
#include <QList>
#include <QString>
#include <vector>

namespace vel {

class VelmorSystem;

class TallybookDataCheck : private EditFormEvents {
  public:
    explicit TallybookDataCheck(VelmorSystem& system);

    // The whole check; answers how many associates had their data cleared.
    int run();

    // An associate with data before the hire date, and the dates of that data.
    struct Finding {
        int number = 0;
        QString code;
        QString name;
        QDate hireDate;
        QList<QDate> dates;
    };
    std::vector<Finding> findings() const;

  private:
    bool print(const std::vector<Finding>& found);
    void EditForm_DeviceInit(TBPrint& printer) override;
    void EditForm_PrintHeader(TBPrint& printer) override;
    void EditForm_PrintRec(TBPrint& printer, int index) override;
    int message(const QString& text, int style);

    VelmorSystem& system_;
    std::vector<Finding> printed_;
};

}  // namespace vel
