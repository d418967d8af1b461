#pragma once

#include <utility>

namespace lumenpoll {

// Owns one system resource given by a plain value (a file descriptor, a kernel handle) and
// releases it when dropped. Traits gives the value that holds nothing (empty), tells a held
// one (holds), releases it (close) and releases it giving the system's error or 0
// (close_reporting).
template <typename Traits>
class UniqueResource {
 public:
  using Value = typename Traits::Value;

  UniqueResource() = default;
  explicit UniqueResource(Value value) : value_(value) {}
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  Value get() const { return value_; }
  explicit operator bool() const { return Traits::holds(value_); }
  Value release() { return std::exchange(value_, Traits::empty); }
  // A close error here has no one to go to; close_checked() is for writers that care.
  void reset(Value value = Traits::empty) {
    if (*this) Traits::close(value_);
    value_ = value;
  }
  // Closes now and gives the system's error code, or 0. The resource is released whatever
  // the outcome, so the close is never retried.
  auto close_checked() {
    using Code = decltype(Traits::close_reporting(value_));
    return *this ? Traits::close_reporting(release()) : Code{};
  }

 private:
  Value value_ = Traits::empty;
};

}  // namespace lumenpoll
