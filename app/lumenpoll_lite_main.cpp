#include "app/station.h"

int main() {
  return lumenpoll::run_station(lumenpoll::Edition::Lite);
}
