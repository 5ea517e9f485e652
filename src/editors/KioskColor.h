#pragma once
// The colour button of a kiosk page ("Button Color on Kiosk Screen.  Click to Change."): the
// colour dialog opens at the button's colour, and the colour chosen becomes its face.
namespace vel {

class Button;

// Shows the colour dialog; true when a colour was chosen (color then holds it, 0x00BBGGRR).
bool chooseKioskColor(Button& button, int& color);
// Shows the colour on the button's face.
void showKioskColor(Button& button, int color);

}  // namespace vel
