#include "platform/win32/virtual_store.h"

#include <shlobj.h>
#include <windows.h>

#include "base/errors.h"
#include "platform/win32/win32_handles.h"

namespace lumenpoll {

namespace {

// The calling thread acts as the process's own account until this ends.
class SelfImpersonation {
 public:
  SelfImpersonation() {
    if (!::ImpersonateSelf(SecurityImpersonation))
      throw EInOutError(static_cast<int>(::GetLastError()));
  }
  SelfImpersonation(const SelfImpersonation&) = delete;
  SelfImpersonation& operator=(const SelfImpersonation&) = delete;
  ~SelfImpersonation() { ::RevertToSelf(); }
};

}  // namespace

std::string own_virtual_store() {
  char folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  return std::string(folder) + "\\VirtualStore";
}

bool file_virtualisation_on() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const UniqueHandle owned(token);
  DWORD enabled = 0;
  DWORD size = 0;
  return ::GetTokenInformation(owned.get(), TokenVirtualizationEnabled, &enabled, sizeof enabled,
                               &size) &&
         enabled != 0;
}

std::unique_ptr<ByteReader> UnvirtualisedFileSystem::open_read(const std::string& path) {
  const SelfImpersonation as_self;
  return files_.open_read(path);
}

std::unique_ptr<ByteWriter> UnvirtualisedFileSystem::create_exclusive(const std::string& path) {
  const SelfImpersonation as_self;
  return files_.create_exclusive(path);
}

void UnvirtualisedFileSystem::check_rewritable(const std::string& path) {
  const SelfImpersonation as_self;
  files_.check_rewritable(path);
}

}  // namespace lumenpoll
