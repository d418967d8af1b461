// The saved selection: the integer conversion against a reference written another way,
// the line split, and a save read back.

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"
#include "config/selection_file.h"
#include "fakes/fake_file_system.h"
#include "fuzz/check.h"

namespace lumenpoll::fuzz {
namespace {

std::string lower(std::string_view s) {
  std::string result(s);
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

// The conversion by another road: cut out the run of digits, then keep its longest prefix
// whose value fits, found by comparing digit strings with the limit written in that base.
int reference_text_to_int(std::string_view s) {
  s.remove_prefix(std::min(s.size(), s.find_first_not_of(' ')));
  const bool negative = s.starts_with('-');
  if (s.starts_with('-') || s.starts_with('+')) s.remove_prefix(1);
  int base = 10;
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (s.starts_with(prefix)) {
      base = 16;
      s.remove_prefix(prefix.size());
      break;
    }
  }
  const std::string digits =
      lower(s.substr(0, s.find_first_not_of(base == 16 ? "0123456789abcdefABCDEF" : "0123456789")));
  const std::string limit =
      base == 16 ? (negative ? "80000000" : "7fffffff") : (negative ? "2147483648" : "2147483647");
  const std::size_t zeros = std::min(digits.size(), digits.find_first_not_of('0'));
  std::size_t significant = digits.size() - zeros;
  if (significant >= limit.size()) {
    significant = digits.compare(zeros, limit.size(), limit) <= 0 ? limit.size() : limit.size() - 1;
  }
  long long value = 0;
  std::from_chars(digits.data() + zeros, digits.data() + zeros + significant, value, base);
  return static_cast<int>(negative ? -value : value);
}

void check_saved_selection_reads_back(int species, int region) {
  fakes::FakeFileSystem files;
  write_selection(files, kSelectionPath, species, region);
  const SavedSelection read = parse_selection_line(read_selection_line(files, kSelectionPath));
  check(read.species == species && read.region == region, "a saved selection reads back");
}

// The rules for one selection line, read and written.
void check_line(FuzzedDataProvider& input) {
  const int species = input.ConsumeIntegral<int>();
  const int region = input.ConsumeIntegral<int>();
  const std::string padding = input.ConsumeRandomLengthString(4);
  const std::string line = input.ConsumeRemainingBytesAsString();

  check(text_to_int(line) == reference_text_to_int(line), "the conversion matches the reference");

  const SavedSelection parsed = parse_selection_line(line);
  if (text::trim(line).find(' ') == std::string::npos) {
    check(parsed.species == 0, "a line of one number selects the first species");
  }
  // Blanks and control characters around the line are not part of it.
  std::string blanks;
  for (char c : padding) blanks += static_cast<char>(static_cast<unsigned char>(c) % 33);
  const SavedSelection padded = parse_selection_line(blanks + line + blanks);
  check(padded.species == parsed.species && padded.region == parsed.region,
        "blanks around the line change nothing");

  check_saved_selection_reads_back(species, region);
}

}  // namespace
}  // namespace lumenpoll::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  lumenpoll::fuzz::check_line(input);
  return 0;
}
