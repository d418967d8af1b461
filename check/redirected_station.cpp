#include "check/redirected_station.h"

namespace lumenpoll {

std::string on_folder(const std::string& station_path, const std::string& folder) {
  const bool on_drive_c = station_path.size() >= 2 &&
                          (station_path[0] == 'C' || station_path[0] == 'c') &&
                          station_path[1] == ':';
  if (!on_drive_c) return station_path;
  std::string rest = station_path.substr(2);
  if (!folder.empty() && folder.back() == '\\' && !rest.empty() && rest.front() == '\\')
    rest.erase(0, 1);
  return folder + rest;
}

std::unique_ptr<ByteReader> RedirectedStation::open_read(const std::string& path) {
  return station_.files.open_read(on_folder(path, folder_));
}

std::unique_ptr<ByteWriter> RedirectedStation::create_exclusive(const std::string& path) {
  return station_.files.create_exclusive(on_folder(path, folder_));
}

void RedirectedStation::check_rewritable(const std::string& path) {
  station_.files.check_rewritable(on_folder(path, folder_));
}

const FolderListing& RedirectedStation::list(const std::string& folder) {
  return station_.folders.list(on_folder(folder, folder_));
}

StampResult RedirectedStation::stamp(const std::string& path) {
  return station_.folders.stamp(on_folder(path, folder_));
}

ScriptState RedirectedStation::probe(const std::string& script_path) {
  return station_.scripts.probe(on_folder(script_path, folder_));
}

}  // namespace lumenpoll
