#include "ValueTableRun.h"

#include <new>
#include <utility>

#include "Faults.h"
#include "FloatingPoint.h"

ValueTableRun::ValueTableRun(std::unique_ptr<numora::ValueTableCalculator> calculator)
    : calculator_(std::move(calculator)),
      lineCount_(calculator_->lineCount()),
      worker_([this] { calculateLines(); }) {}

ValueTableRun::~ValueTableRun() {
  cancel();
  worker_.join();
}

void ValueTableRun::calculateLines() {
  // A new thread starts with whatever floating-point state the system gives it; the
  // calculations need the one the program starts with.
  numora::fpu::resetUnit();
  try {
    for (std::size_t index = 0; index < lineCount_ && !cancelled_; ++index) {
      numora::ValueLine line = calculator_->line(index);
      std::lock_guard lock(mutex_);
      finishedLines_.push_back(std::move(line));
      linesDone_ = index + 1;
    }
  } catch (const std::bad_alloc&) {
    std::lock_guard lock(mutex_);
    fault_ = std::make_exception_ptr(numora::outOfMemoryFault());
  } catch (...) {
    std::lock_guard lock(mutex_);
    fault_ = std::current_exception();
  }
  finished_ = true;
}

std::vector<numora::ValueLine> ValueTableRun::takeLines() {
  std::lock_guard lock(mutex_);
  return std::exchange(finishedLines_, {});
}

std::exception_ptr ValueTableRun::fault() const {
  std::lock_guard lock(mutex_);
  return fault_;
}
