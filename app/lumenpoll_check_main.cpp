#include <iostream>
#include <string>
#include <vector>

#include "app/station_checker.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return lumenpoll::run_station_checker(args, {LUMENPOLL_VERSION, LUMENPOLL_DRIVE_C}, std::cout,
                                        std::cerr);
}
