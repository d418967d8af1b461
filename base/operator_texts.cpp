#include "base/operator_texts.h"

#include "base/error_codes.h"

namespace lumenpoll::operator_texts {

namespace {

const char* named_file_error(int code) {
  switch (code) {
    case kFileNotFound:
      return "File not found";
    case kPathNotFound:
      return "Invalid filename";
    case kTooManyOpenFiles:
      return "Too many open files";
    case kAccessDenied:
      return "File access denied";
    case kReadBeyondEndOfFile:
      return "Read beyond end of file";
    case kDiskFull:
      return "Disk full";
    case kInvalidNumericInput:
      return "Invalid numeric input";
    default:
      return nullptr;
  }
}

}  // namespace

std::string processing(const std::string& image, int stage) {
  return "Processing " + image + ".nef " + std::to_string(stage);
}

std::string processed(const std::string& image) {
  return "Processed " + image + ".dcm";
}

std::string file_error(int code) {
  const char* named = named_file_error(code);
  return named != nullptr ? named : "I/O error " + std::to_string(code);
}

bool file_error_has_own_text(int code) {
  return named_file_error(code) != nullptr;
}

std::string cannot_process(const std::string& file_name, const std::string& reason) {
  return "Cannot process " + file_name + ": " + reason;
}

std::string cannot_read(const std::string& file_name, const std::string& system_text) {
  return "Cannot read " + file_name + ": " + system_text;
}

std::string still_there_after_delete(const std::string& raw_file_name) {
  return raw_file_name +
         " is still in the import folder after its delete; it is not processed again. Delete "
         "it once its DICOM file is filed, or restart lumenpoll to process it again";
}

std::string earlier_image_unreplaced(const std::string& processed_file_name,
                                     const std::string& raw_file_name) {
  return processed_file_name +
         " from an earlier image is still in the import folder and the raw script has not "
         "replaced it: " +
         raw_file_name + " waits for its own";
}

std::string held_elsewhere(const std::string& user) {
  return "lumenpoll is already running for " + user +
         " on this station. Close it in that session to run it here.";
}

}  // namespace lumenpoll::operator_texts
