// What the stand-ins for a station's tools (ImageJ, img2dcm) share: their settings and their
// call log, both beside the stand-in's own program, and whole-file reads and writes.
//   stand-in.conf  "name=value" lines, read at every start (a missing file: no settings)
//   calls.log      one line per call: the program's name, a tab, the argument count, then
//                  each argument after a tab
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <thread>

namespace stand_in {

inline std::filesystem::path own_folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path();
}

inline std::map<std::string, std::string> settings() {
  std::map<std::string, std::string> values;
  std::ifstream file(own_folder() / "stand-in.conf");
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

inline int number_setting(const std::map<std::string, std::string>& values,
                          const std::string& name) {
  const auto found = values.find(name);
  return found == values.end() ? 0 : std::stoi(found->second);
}

inline void log_call(const char* name, int argc, char** argv) {
  std::ofstream log(own_folder() / "calls.log", std::ios::app | std::ios::binary);
  log << name << '\t' << argc - 1;
  for (int i = 1; i < argc; ++i) log << '\t' << argv[i];
  log << '\n';
}

inline std::optional<std::string> read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

inline bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
  return static_cast<bool>(file.flush());
}

inline void wait_seconds(int seconds) {
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
}

inline int fail(const char* name, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", name, message.c_str());
  return 1;
}

}  // namespace stand_in
