#pragma once

#include <memory>
#include <optional>
#include <string>

#include "check/station_check.h"

namespace lumenpoll {

// The station path with its drive C: replaced by folder ("C:\TOLVA\import" on folder
// "D:\copy" is "D:\copy\TOLVA\import"); other paths as they are.
std::string on_folder(const std::string& station_path, const std::string& folder);

// A station whose drive C: is another folder, seen through the services of the platform's
// own drive: for checking a copy of a station before it is installed. The copy's files are
// its real ones, and none of its accounts is this one.
class RedirectedStation : public FileSystem, public FolderLister, public ScriptProbe {
 public:
  RedirectedStation(const StationAccess& station, std::string folder)
      : station_(station), folder_(std::move(folder)) {}

  StationAccess access() { return {*this, *this, *this, *this, station_.wait_a_second, {}}; }

  std::unique_ptr<ByteReader> open_read(const std::string& path) override;
  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override;
  void check_rewritable(const std::string& path) override;
  const FolderListing& list(const std::string& folder) override;
  StampResult stamp(const std::string& path) override;
  ScriptState probe(const std::string& script_path) override;

 private:
  StationAccess station_;
  std::string folder_;
};

}  // namespace lumenpoll
