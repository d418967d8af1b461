#include "platform/posix/windows_messages.h"

#include <array>
#include <string_view>

namespace lumenpoll {

namespace {

constexpr std::array<std::string_view, 33> kMessages = {
    "The operation completed successfully.\r\n",
    "Incorrect function.\r\n",
    "The system cannot find the file specified.\r\n",
    "The system cannot find the path specified.\r\n",
    "The system cannot open the file.\r\n",
    "Access is denied.\r\n",
    "The handle is invalid.\r\n",
    "The storage control blocks were destroyed.\r\n",
    "Not enough memory resources are available to process this command.\r\n",
    "The storage control block address is invalid.\r\n",
    "The environment is incorrect.\r\n",
    "An attempt was made to load a program with an incorrect format.\r\n",
    "The access code is invalid.\r\n",
    "The data is invalid.\r\n",
    "Not enough memory resources are available to complete this operation.\r\n",
    "The system cannot find the drive specified.\r\n",
    "The directory cannot be removed.\r\n",
    "The system cannot move the file to a different disk drive.\r\n",
    "There are no more files.\r\n",
    "The media is write protected.\r\n",
    "The system cannot find the device specified.\r\n",
    "The device is not ready.\r\n",
    "The device does not recognize the command.\r\n",
    "Data error (cyclic redundancy check).\r\n",
    "The program issued a command but the command length is incorrect.\r\n",
    "The drive cannot locate a specific area or track on the disk.\r\n",
    "The specified disk or diskette cannot be accessed.\r\n",
    "The drive cannot find the sector requested.\r\n",
    "The printer is out of paper.\r\n",
    "The system cannot write to the specified device.\r\n",
    "The system cannot read from the specified device.\r\n",
    "A device attached to the system is not functioning.\r\n",
    "The process cannot access the file because it is being used by another process.\r\n",
};

}  // namespace

std::string windows_message(unsigned code) {
  switch (code) {
    case kFilenameTooLong:
      return "The filename or extension is too long.\r\n";
    case kCannotComplete:
      return "Cannot complete this function.\r\n";
    case kNoAssociation:
      return "No application is associated with the specified file for this operation.\r\n";
    default:
      return code < kMessages.size() ? std::string(kMessages[code]) : std::string();
  }
}

}  // namespace lumenpoll
