#pragma once

#include <string>
#include <string_view>

#include "base/edition.h"

namespace lumenpoll {

// The extension of the processed image whose coming ends the wait at stage 2: the TIF the
// raw script writes, or for lumenpoll-lite the DICOM file it writes itself.
inline const char* processed_extension(Edition edition) {
  return edition == Edition::Lite ? ".DCM" : ".TIF";
}

// Why an image's base name cannot go into a script's parameter text as it stands, said to
// the operator after "Cannot process <file>: "; empty when it can. The command interpreter
// that runs the scripts acts on & | < > ^ % ! " ( ) ? *, splits arguments at blanks, tabs
// , ; and =, and the other control characters have no place in a name: such a name would
// run commands or reach the script cut short. A raw file called just ".NEF" leaves the
// scripts no image name at all.
std::string name_refusal(const std::string& base_name);

// The image name of a raw file: its file name less the dot and the three-letter extension.
std::string image_name(std::string_view path);

}  // namespace lumenpoll
