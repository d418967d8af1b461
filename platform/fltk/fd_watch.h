#pragma once

#include <FL/Fl.H>

namespace lumenpoll {

// Calls handler(fd, data) from the FLTK message loop, nested ones included, whenever fd is
// readable, until this object goes.
class FdWatch {
 public:
  FdWatch(int fd, Fl_FD_Handler handler, void* data) : fd_(fd) {
    Fl::add_fd(fd, FL_READ, handler, data);
  }
  FdWatch(const FdWatch&) = delete;
  FdWatch& operator=(const FdWatch&) = delete;
  ~FdWatch() { Fl::remove_fd(fd_, FL_READ); }

 private:
  int fd_;
};

}  // namespace lumenpoll
