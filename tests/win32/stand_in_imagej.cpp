// Stands in for ImageJ.exe under the example scripts: logs its call (stand_in_tool.h) and,
// for "-batch MACRO.ijm ARGUMENT", does what the example macro does with the argument
// "RAW PROCESSED.tif SHOWN.jpg DONE": the processed image and the 8-bit JPEG, each holding the
// raw file's bytes behind its format's signature (so the test can tell exposures apart), and
// the done file last. Settings: delay=SECONDS before anything is written.
#include <sstream>
#include <vector>

#include "stand_in_tool.h"

namespace {

constexpr const char* kName = "ImageJ.exe";
constexpr const char kTiffSignature[] = "II*\0";
constexpr const char kJpegSignature[] = "\xFF\xD8\xFF";

std::vector<std::string> split_at_blanks(const std::string& text) {
  std::istringstream words(text);
  std::vector<std::string> parts;
  for (std::string word; words >> word;) parts.push_back(word);
  return parts;
}

}  // namespace

int main(int argc, char** argv) {
  stand_in::log_call(kName, argc, argv);
  if (argc != 4 || std::string(argv[1]) != "-batch")
    return stand_in::fail(kName, "usage: ImageJ.exe -batch MACRO.ijm ARGUMENT");
  if (!std::filesystem::is_regular_file(argv[2]))
    return stand_in::fail(kName, std::string("no macro ") + argv[2]);
  const std::vector<std::string> paths = split_at_blanks(argv[3]);
  if (paths.size() != 4) return stand_in::fail(kName, "the argument is not four paths");
  const auto raw = stand_in::read_file(paths[0]);
  if (!raw) return stand_in::fail(kName, "cannot open " + paths[0]);

  stand_in::wait_seconds(stand_in::number_setting(stand_in::settings(), "delay"));
  if (!stand_in::write_file(paths[1], std::string(kTiffSignature, 4) + *raw) ||
      !stand_in::write_file(paths[2], kJpegSignature + *raw) ||
      !stand_in::write_file(paths[3], "done"))
    return stand_in::fail(kName, "cannot write into the work folder");
  return 0;
}
