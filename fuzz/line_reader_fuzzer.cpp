// The line reader on arbitrary bytes, delivered in reads of arbitrary size.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_file.h"
#include "fakes/fake_file_system.h"
#include "fuzz/check.h"

namespace lumenpoll::fuzz {
namespace {

using Lines = std::vector<std::string>;

const char* const kPath = "c:\\data\\lines.txt";

Lines read_lines(const std::string& contents, std::size_t max_read) {
  fakes::FakeFileSystem files;
  files.files[kPath] = contents;
  files.max_read = max_read;
  TextFileReader in(files, kPath);
  Lines lines;
  while (!in.eof()) lines.push_back(in.read_line());
  check(in.eof() && in.read_line().empty(), "reading at the end gives an empty line");
  return lines;
}

// The line rules once more, over whole physical lines instead of a byte stream.
Lines reference_lines(std::string_view rest) {
  if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
  Lines lines;
  while (!rest.empty()) {
    const std::size_t lf = rest.find('\n');
    std::string_view physical = rest.substr(0, lf);
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
    if (physical.starts_with('\x1A')) break;
    physical = physical.substr(0, physical.find('\x1A'));
    // A CR before the LF belongs to the line end; any other CR is dropped.
    std::string line;
    std::copy_if(physical.begin(), physical.end(), std::back_inserter(line),
                 [](char c) { return c != '\r'; });
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace
}  // namespace lumenpoll::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lumenpoll::fuzz;
  FuzzedDataProvider input(data, size);
  const auto max_read = input.ConsumeIntegralInRange<std::size_t>(1, 300);
  const std::string contents = input.ConsumeRemainingBytesAsString();

  const Lines lines = read_lines(contents, max_read);
  for (const std::string& line : lines) {
    check(line.find_first_of("\n\r\x1A") == std::string::npos,
          "no line holds an LF, a CR or a Ctrl-Z");
  }
  check(lines.size() <=
            static_cast<std::size_t>(std::count(contents.begin(), contents.end(), '\n')) + 1,
        "no more lines than line ends plus one");
  check(lines == read_lines(contents, SIZE_MAX),
        "the lines do not depend on the size of the reads");
  check(lines == reference_lines(contents), "the lines follow the line rules");
  return 0;
}
