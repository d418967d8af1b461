#pragma once

#include <string>

#include "check/station_check.h"

namespace lumenpoll {

// Adds the report's lines: headings, plain lines, and findings, which are counted.
class ReportWriter {
 public:
  explicit ReportWriter(StationReport& report) : report_(report) {}

  void heading(const std::string& text) {
    report_.lines.push_back("");
    report_.lines.push_back(text);
  }
  void info(const std::string& text, int indent = 2) {
    report_.lines.push_back(std::string(indent, ' ') + text);
  }
  void finding(const std::string& text) {
    info(text);
    ++report_.findings;
  }

 private:
  StationReport& report_;
};

}  // namespace lumenpoll
