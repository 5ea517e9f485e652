#include "app/velmor/JobProgress.h"

#include <QDateTime>
#include <QProgressDialog>
#include <QPushButton>

namespace vel {

JobProgress::JobProgress(QWidget* parent, std::function<void()> cancel, Clock clock)
    : parent_(parent), cancel_(std::move(cancel)), clock_(std::move(clock)) {
    if (!clock_) {
        clock_ = [] { return QDateTime::currentMSecsSinceEpoch(); };
    }
}

JobProgress::~JobProgress() {
    delete window_.data();
}

void JobProgress::jobStarted() {
    started_ = clock_();
    cancellable_ = false;
}

void JobProgress::jobEnded() {
    started_ = -1;
    delete window_.data();
}

QProgressDialog* JobProgress::window() const {
    return window_.data();
}

void JobProgress::status(const QString& text, int percent) {
    if (!text.isNull()) {
        text_ = text;
    }
    const bool partway = percent > 0 && percent < 100;
    if (!partway) {
        delete window_.data();  // the step ended; a later slow step shows the window again
        return;
    }
    if (!window_ && started_ >= 0 && clock_() - started_ > delayMilliseconds) {
        showWindow();
    }
    if (window_) {
        window_->setLabelText(text_);
        window_->setValue(percent);
    }
}

void JobProgress::setCancellable(bool cancellable) {
    cancellable_ = cancellable;
    if (window_) {
        window_->findChild<QPushButton*>()->setEnabled(cancellable);
    }
}

void JobProgress::showWindow() {
    window_ = new QProgressDialog(parent_);
    window_->setWindowTitle(QStringLiteral("Velmor"));
    window_->setWindowModality(Qt::WindowModal);
    window_->setAutoReset(false);
    window_->setAutoClose(false);
    window_->setMinimumDuration(0);
    window_->setRange(0, 100);
    auto* button = new QPushButton(QStringLiteral("&Cancel"), window_);
    button->setToolTip(
        QStringLiteral("Stops the job at its next safe point; some steps run to "
                       "their end before a job can stop"));
    window_->setCancelButton(button);
    // The dialog's own cancel would hide it at once; the job decides when it has stopped.
    disconnect(window_, SIGNAL(canceled()), window_, SLOT(cancel()));
    connect(window_, &QProgressDialog::canceled, this, [this] {
        if (cancellable_ && cancel_) {
            window_->setLabelText(text_ + QStringLiteral("\nStopping..."));
            window_->findChild<QPushButton*>()->setEnabled(false);
            cancel_();
        }
    });
    button->setEnabled(cancellable_);
    window_->show();
}

}  // namespace vel
