#pragma once
// Shows a standard message box for a message style (buttons, icon, default button as the
// Windows style numbers say) and returns the Windows answer code of the button pressed.
#include <QMessageBox>
#include <QString>

namespace vel {

// The Qt button that stands for an answer code (IDOK -> Ok), and back (0 when unknown).
QMessageBox::StandardButton standardButtonFor(int answer);
int answerFor(QMessageBox::StandardButton button);
// The icon of the style's icon bits (16 critical, 32 question, 48 exclamation, 64 information).
QMessageBox::Icon iconFor(int style);

// Builds the box without showing it; the caller owns it.
QMessageBox* makeMessageBox(QWidget* parent, const QString& prompt, int style,
                            const QString& caption);
int showMessageBox(QWidget* parent, const QString& prompt, int style, const QString& caption);

}  // namespace vel
