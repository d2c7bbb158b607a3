#pragma once
// The diffusion part of one couple's current: the sum over its potential
// steps of change_j / sqrt(max(t - t_j, clip)), at a cost per reading that
// does not grow with the history. The latest steps are summed exactly; a
// step older than the fold age joins a sum of exponentials that follows
// 1/sqrt(age) within a relative 1e-4 (in fact 3e-6) from kShortestFoldAge to
// kLongestAge. No allocation after construction.

#include <array>

class SimStepHistory {
 public:
  static constexpr double kShortestFoldAge = 1e-4;  // s
  static constexpr double kLongestAge = 1e5;        // s, more than a day
  static constexpr int kRecentSteps = 64;
  static constexpr int kModes = 41;

  // Ages below `clip` count as `clip` (the cell's time constant bounds the
  // current right after a step); steps are folded from max(clip,
  // kShortestFoldAge) on, or earlier when more than kRecentSteps are younger.
  explicit SimStepHistory(double clip);

  void clear();
  // Times never decrease from one call to the next.
  void add(double t, double change);
  // The sum at `t`; folds the steps that have grown old enough.
  double sum(double t);

 private:
  struct Step {
    double time;
    double change;
  };
  void foldOldest();
  // exp(-dt / tau_k) for every mode.
  static void decay(double dt, std::array<double, kModes> *factors);

  double clip_;
  double foldAge_;
  std::array<Step, kRecentSteps> recent_{};
  int oldest_ = 0;
  int recentCount_ = 0;
  std::array<double, kModes> modes_{};  // folded steps, each mode as at foldedAt_
  double foldedAt_ = 0;
  bool folded_ = false;
  std::array<double, kModes> factors_{};
};
