// The attempt budget of one transfer: 12 to start with; a transfer that
// ended early (curl code 18, a partial file) costs 1, any other failure 2.
#pragma once

class RetryBudget {
 public:
  static constexpr int kStart = 12;
  static constexpr int kPartialFile = 18;

  // Charges one failed attempt and returns what is left.
  int Spend(int code) {
    left_ -= (code == kPartialFile) ? 1 : 2;
    return left_;
  }
  int Left() const { return left_; }

 private:
  int left_ = kStart;
};
