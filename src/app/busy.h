#pragma once
// The busy mark of a window: while the window sets its own controls, their
// change handlers return at once, so that no programmatic update runs a
// user's handler.

namespace dorvak {

struct Busy {
  explicit Busy(int& count) : count_(count) { ++count_; }
  ~Busy() { --count_; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;
  int& count_;
};

}  // namespace dorvak
