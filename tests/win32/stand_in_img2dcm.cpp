// Stands in for dcmtk's img2dcm under the example scripts: logs its call (stand_in_tool.h),
// reads the image (the last but one argument) and, as img2dcm, takes only a JPEG (or a BMP
// with "-i BMP"), not the TIFF; writes the DICOM file (the last argument): a header with the
// -k attributes, then the image's bytes, then "END". The file is written in two parts with
// the delay between them, as a slow conversion is, so that whoever does not wait for the
// whole file reads half of it. Settings: delay=SECONDS; fail=1 breaks off after the first part
// with exit code 1.
#include <string>

#include "stand_in_tool.h"

namespace {

constexpr const char* kName = "img2dcm.exe";

bool takes_format(const std::string& image, const std::string& format) {
  if (format == "BMP") return image.rfind("BM", 0) == 0;
  return image.rfind("\xFF\xD8\xFF", 0) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  stand_in::log_call(kName, argc, argv);
  if (argc < 3) return stand_in::fail(kName, "usage: img2dcm [options] IMAGE DICOM-FILE");
  std::string format = "JPEG";
  std::string header = "DICM\n";
  const int last_option = argc - 3;
  for (int i = 1; i < last_option; ++i) {  // an option with a value, the value after it
    const std::string option = argv[i];
    if (option == "-k") header += std::string(argv[++i]) + "\n";
    if (option == "-i") format = argv[++i];
  }
  const auto image = stand_in::read_file(argv[argc - 2]);
  if (!image) return stand_in::fail(kName, std::string("cannot open ") + argv[argc - 2]);
  if (!takes_format(*image, format))
    return stand_in::fail(kName, std::string(argv[argc - 2]) + " is no " + format + " file");

  const auto values = stand_in::settings();
  const std::string whole = header + *image + "\nEND\n";
  const std::string first_part = whole.substr(0, whole.size() / 2);
  std::ofstream dicom(argv[argc - 1], std::ios::binary | std::ios::trunc);
  if (!(dicom << first_part).flush())
    return stand_in::fail(kName, std::string("cannot write ") + argv[argc - 1]);
  stand_in::wait_seconds(stand_in::number_setting(values, "delay"));
  if (stand_in::number_setting(values, "fail") != 0) return stand_in::fail(kName, "broke off");
  dicom << whole.substr(first_part.size());
  return dicom.flush() ? 0 : stand_in::fail(kName, "cannot finish the DICOM file");
}
