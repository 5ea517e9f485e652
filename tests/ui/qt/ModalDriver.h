#pragma once
// Drives modal windows in tests without sleeping: the action runs on the next modal window of
// the given kind as soon as it shows, checked once per turn of the event loop. A window that
// never shows fails the test after a bounded number of turns, and whatever modal window is in
// the way is closed so that the test cannot hang.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace vel::testing {

template <class Window>
void whenModalShows(std::function<void(Window*)> action, std::function<bool(Window*)> accept = {}) {
    auto* timer = new QTimer;
    auto turns = std::make_shared<int>(0);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, turns, action, accept] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window && window->isVisible() && (!accept || accept(window))) {
            timer->stop();
            timer->deleteLater();
            action(window);
            return;
        }
        if (++*turns > 20000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected modal window never showed";
            if (QWidget* blocking = QApplication::activeModalWidget()) {
                blocking->close();
            }
        }
    });
    timer->start();
}

}  // namespace vel::testing
