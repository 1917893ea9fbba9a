#pragma once
// While a window's own code sets its controls, a busy mark makes every
// change handler return at once, so that programmatic updates never run
// user handlers.

namespace dorvak {

class Busy {
 public:
  explicit Busy(int& count) : count_(count) { ++count_; }
  ~Busy() { --count_; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  int& count_;
};

}  // namespace dorvak
