#pragma once
// ControlGallery: one window that holds every control kind in a realistic layout, an activity
// as a record window would show it. It is what the demo shows and what the Qt front end's tests
// render and drive. Units per hour in the standards grid must be numbers; OK needs a code.
#include "ui/Form.h"

namespace vel {

class Grid;
class ListSelect;
class TextBox;

class ControlGallery : public Form {
public:
    ControlGallery();

    // Whether the window was closed with OK.
    bool confirmed() const { return confirmed_; }

protected:
    void Form_Load() override;

private:
    void declareGeneralPage(Container& page);
    void declareElementsPage(Container& page);
    void declareListsPage(Container& page);
    void fillGeneralPage();
    void fillElementsPage();
    void fillListsPage();
    // Takes a units-per-hour entry as a number with two decimals and shows its minutes per
    // unit; refuses anything that is not a number of zero or more.
    bool takeUnitsPerHour(int row, QString& text);
    void tickAllWorkCenters(bool ticked);
    void finish(int button);

    TextBox* code_ = nullptr;
    Grid* standards_ = nullptr;
    ListSelect* workCenters_ = nullptr;
    bool confirmed_ = false;
};

}  // namespace vel
