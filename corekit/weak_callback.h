// Weak callbacks: callables that lapse when the object they were made from is destroyed.
//
// An object that posts tasks to itself derives from SupportWeakCallback and wraps each such
// task with ToWeakCallback(callable). The object holds the only strong reference to a
// WeakFlag; every callback holds a weak one. Calling a callback first tests the flag: when
// the owner is gone it returns without calling anything (a default value for callables that
// return one).
//
// Rules:
//  WC1. A callback made before the owner's destruction does nothing once the owner's
//      SupportWeakCallback part has been destroyed.
//  WC2. The test and the call happen on the thread that calls the callback. The owner must
//      therefore be destroyed on that thread, or while no callback of it can run there (for
//      example after that thread's loop has ended); nothing else keeps the owner alive.
//  WC3. GetWeakFlag and ToWeakCallback may be called from any thread while the owner lives;
//      the first call creates the flag under a process-wide lock.
//  WC4. Copying an owner does not share its flag: the copy is a new object whose callbacks
//      lapse independently.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace corekit {

// Carries no data; only its lifetime matters.
class WeakFlag {};

template <typename F>
class WeakCallback {
 public:
  WeakCallback(std::weak_ptr<WeakFlag> flag, F callable)
      : flag_(std::move(flag)), callable_(std::move(callable)) {}

  template <typename... Args>
  std::invoke_result_t<F&, Args...> operator()(Args&&... args) {
    return Call(callable_, std::forward<Args>(args)...);
  }
  template <typename... Args>
  std::invoke_result_t<const F&, Args...> operator()(Args&&... args) const {
    return Call(callable_, std::forward<Args>(args)...);
  }

  // True once the owner is gone; calls then do nothing.
  bool Expired() const { return flag_.expired(); }

 private:
  template <typename C, typename... Args>
  std::invoke_result_t<C&, Args...> Call(C& callable, Args&&... args) const {
    using Result = std::invoke_result_t<C&, Args...>;
    if (flag_.expired()) {
      if constexpr (std::is_void_v<Result>) {
        return;
      } else {
        return Result();
      }
    }
    return std::invoke(callable, std::forward<Args>(args)...);
  }

  std::weak_ptr<WeakFlag> flag_;
  F callable_;
};

class SupportWeakCallback {
 public:
  SupportWeakCallback() = default;
  SupportWeakCallback(const SupportWeakCallback&) {}
  SupportWeakCallback& operator=(const SupportWeakCallback&) { return *this; }
  // Drops the flag first, so callbacks queued elsewhere find it expired.
  virtual ~SupportWeakCallback();

  // The current flag, created when there is none (or the previous one has expired).
  std::weak_ptr<WeakFlag> GetWeakFlag();

  // Wraps |callable| (a lambda, a bound member function, ...) so that calling the result
  // does nothing once this object is destroyed. Capturing |this| in the callable is the
  // intended use.
  template <typename F>
  WeakCallback<std::decay_t<F>> ToWeakCallback(F&& callable) {
    return WeakCallback<std::decay_t<F>>(GetWeakFlag(), std::forward<F>(callable));
  }

 private:
  std::shared_ptr<WeakFlag> flag_;
};

}  // namespace corekit
