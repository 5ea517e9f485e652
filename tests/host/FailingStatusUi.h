#pragma once
// A headless Ui whose status display fails when it is asked to show one text: the way tests make
// a job fail inside, where nothing else can be made to fail.
#include "ui/HeadlessUi.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace vel::testing {

class FailingStatusUi : public HeadlessUi {
  public:
    static constexpr const char* failure = "the status display is gone";

    explicit FailingStatusUi(QString failAt) : failAt_(std::move(failAt)) {
        setFailureHook([](const QString& problem) { ADD_FAILURE() << problem.toStdString(); });
    }
    void statusText(const QString& text) override {
        if (text == failAt_) {
            throw std::runtime_error(failure);
        }
        HeadlessUi::statusText(text);
    }

  private:
    QString failAt_;
};

}  // namespace vel::testing
