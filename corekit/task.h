// A task: a callable without arguments or result, owned by whoever holds it.
//
// Copyable; an empty task does nothing when a loop runs it. Weak callbacks
// (weak_callback.h) convert to tasks.
#pragma once

#include <functional>

namespace corekit {

using Task = std::function<void()>;

}  // namespace corekit
