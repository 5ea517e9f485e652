#pragma once
// WindowMemory: list windows (windows that hold a list view) open where and as large as the
// person left them, with the column widths they dragged, per window: the editor shell's list is
// remembered per table ("TBEditForm/Associates Table"). A list window shown for the first time
// opens large enough for listLines lines and every column, within the screen. Kept with
// QSettings in the user's config folder (~/.config/velmor/windows.ini).
#include <QRect>
#include <QSize>
#include <QString>

class QSettings;
class QWidget;

namespace vel {

class Form;

class WindowMemory {
  public:
    static constexpr int listLines = 20;

    // Whether the window is one that is remembered: it holds a list view.
    static bool remembers(const QWidget& window);
    // The name a window is remembered under: its form name and caption, without " (readonly)".
    static QString keyFor(const Form& form);
    // Before the window shows: the remembered size, position and column widths, or the default
    // size within the available screen area.
    static void restore(QWidget& window, const QString& key, const QRect& available);
    // After the person closed it: its size, position and column widths.
    static void remember(const QWidget& window, const QString& key);
    // The window's size when its lists show listLines lines and every column, within available.
    static QSize defaultSize(QWidget& window, const QSize& available);

  private:
    static QSettings settings();
};

}  // namespace vel
