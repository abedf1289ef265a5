// An optional hook that takes over window-message dispatch in a user-interface loop.
#pragma once

#include <windows.h>

namespace corekit {

class Dispatcher {
 public:
  virtual ~Dispatcher() = default;
  // Handles |message| instead of TranslateMessage/DispatchMessage. Returning false ends the
  // current run of the loop.
  virtual bool Dispatch(const MSG& message) = 0;
};

}  // namespace corekit
