#pragma once
// JobProgress: what a person sees of a long job besides the status bar. Once a job has run for
// more than a second and is partway through a step (a percentage between 0 and 100), a progress
// window shows the status text and the share done; it goes when the step ends. Its Cancel button
// works only while the job offers to stop (the Ui's cancellable status, which a job raises where
// it can stop without leaving anything half-written); otherwise it is disabled and says so.
#include <QObject>
#include <QPointer>
#include <functional>

class QProgressDialog;
class QWidget;

namespace vel {

class JobProgress : public QObject {
    Q_OBJECT
  public:
    using Clock = std::function<qint64()>;  // milliseconds since some fixed moment

    static constexpr qint64 delayMilliseconds = 1000;

    // cancel is called when the person presses Cancel in the progress window.
    JobProgress(QWidget* parent, std::function<void()> cancel, Clock clock = {});
    ~JobProgress() override;

    void jobStarted();
    void jobEnded();
    void status(const QString& text, int percent);
    void setCancellable(bool cancellable);

    // The progress window while it shows, else nullptr.
    QProgressDialog* window() const;

  private:
    void showWindow();

    QWidget* parent_;
    std::function<void()> cancel_;
    Clock clock_;
    qint64 started_ = -1;  // -1: no job running
    bool cancellable_ = false;
    QString text_;
    QPointer<QProgressDialog> window_;
};

}  // namespace vel
