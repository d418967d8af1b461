#pragma once

namespace lumenpoll {

// COM on this thread, apartment-threaded, for as long as the object lives: the shell
// namespace listing and ShellExecuteA work through it. Made once, by the program's wiring
// (or a test) before either is used. Throws when COM is not to be had.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();
};

}  // namespace lumenpoll
