#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DecimalSeparator.h"
#include "Faults.h"

namespace numora::test {

// Sets the process-wide decimal separator for the lifetime of a test scope.
class SeparatorScope {
 public:
  explicit SeparatorScope(char separator) : saved_(decimalSeparator()) {
    setDecimalSeparator(separator);
  }
  ~SeparatorScope() { setDecimalSeparator(saved_); }

 private:
  char saved_;
};

// The class name and message of the fault that `action` raises, "no fault" when none.
inline std::string faultOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& fault) {
    return std::string(fault.className()) + ": " + fault.message();
  }
  return "no fault";
}

}  // namespace numora::test
