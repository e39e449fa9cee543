#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ValueTable.h"

// One value table calculated on a worker thread, line by line, on the calculator's own copy
// of the table, so the window stays responsive and the table the user sees never changes.
// The window collects the finished lines as it likes (takeLines) and may cancel: the worker
// stops after the line it is on, and the lines finished so far remain to be taken.
class ValueTableRun {
 public:
  // Starts the worker at once.
  explicit ValueTableRun(std::unique_ptr<numora::ValueTableCalculator> calculator);
  // Cancels the run and waits for the worker to end.
  ~ValueTableRun();
  ValueTableRun(const ValueTableRun&) = delete;
  ValueTableRun& operator=(const ValueTableRun&) = delete;

  std::size_t lineCount() const { return lineCount_; }
  std::size_t linesDone() const { return linesDone_; }
  // Whether the worker has ended: every line done, the run cancelled, or a fault raised.
  bool finished() const { return finished_; }
  bool cancelled() const { return cancelled_; }
  void cancel() { cancelled_ = true; }

  // The lines finished since the last call, in their order.
  std::vector<numora::ValueLine> takeLines();
  // A fault that is no calculation's own (memory running out) and ended the run, or none.
  std::exception_ptr fault() const;

 private:
  void calculateLines();

  std::unique_ptr<numora::ValueTableCalculator> calculator_;
  const std::size_t lineCount_;
  std::atomic<std::size_t> linesDone_{0};
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> finished_{false};
  mutable std::mutex mutex_;
  std::vector<numora::ValueLine> finishedLines_;  // guarded by mutex_
  std::exception_ptr fault_;                      // guarded by mutex_
  std::thread worker_;
};
