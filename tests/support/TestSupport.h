#pragma once

#include <functional>
#include <string>

#include "Faults.h"

namespace numora::test {

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
