#pragma once

#include <optional>
#include <string>

#include "base/folder_lister.h"

namespace lumenpoll {

// Lists a folder through the Windows shell namespace, as the station's own Explorer sees
// it: the system leaves out hidden entries, sub-folders are marked by their attributes, and
// entries come in the order the folder's enumeration gives. Needs COM on the calling thread
// (ComApartment). A path that does not parse is Missing; one that parses but cannot be
// bound as a folder (a file) is NotAFolder; a folder whose enumeration cannot start is
// Unreadable. Names are in the ANSI code page; a character it cannot hold comes as "?".
class ShellFolderLister : public FolderLister {
 public:
  const FolderListing& list(const std::string& folder) override;
  StampResult stamp(const std::string& path) override;

 private:
  FolderListing listing_;
};

}  // namespace lumenpoll
