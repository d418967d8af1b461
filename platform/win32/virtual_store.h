#pragma once

#include <memory>
#include <string>

#include "base/file_system.h"
#include "platform/win32/win32_file_system.h"

namespace lumenpoll {

// This account's VirtualStore folder, %LOCALAPPDATA%\VirtualStore (there or not); empty
// when Windows names no local application data folder for the account.
std::string own_virtual_store();

// Whether Windows virtualises this process's files: a 32-bit program without a manifest
// level, run by a standard account or an administrator's filtered one. Its reads under
// Program Files then give this account's VirtualStore copy wherever there is one.
bool file_virtualisation_on();

// The station's files themselves, past this account's VirtualStore copies: each file is
// opened while the thread impersonates the process's own account, and Windows virtualises
// no access made while impersonating. Failures as Win32FileSystem's.
class UnvirtualisedFileSystem : public FileSystem {
 public:
  std::unique_ptr<ByteReader> open_read(const std::string& path) override;
  std::unique_ptr<ByteWriter> create_exclusive(const std::string& path) override;
  void check_rewritable(const std::string& path) override;

 private:
  Win32FileSystem files_;
};

}  // namespace lumenpoll
