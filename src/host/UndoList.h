#pragma once
// Steps that put back what a save already wrote, run newest first when a later part of the same
// save fails.
#include <functional>
#include <vector>

namespace vel {

class UndoList {
  public:
    void add(std::function<void()> step) { steps_.push_back(std::move(step)); }
    void runAll() {
        for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
            (*step)();
        }
        steps_.clear();
    }
    void clear() { steps_.clear(); }

  private:
    std::vector<std::function<void()>> steps_;
};

}  // namespace vel
