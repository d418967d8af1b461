#include "platform/win32/shell_folder_lister.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include "base/capacity.h"
#include "platform/win32/text_encoding.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_shell.h"

namespace lumenpoll {
namespace {

// The child's own name as the file system stores it. Its full parsing name would do as well
// on Windows, but Wine cuts that at MAX_PATH, so a long name would lose its extension there.
std::optional<std::wstring> parsing_name(IShellFolder& folder, PCUITEMID_CHILD child) {
  STRRET name{};
  if (FAILED(folder.GetDisplayNameOf(child, SHGDN_INFOLDER | SHGDN_FORPARSING, &name)))
    return std::nullopt;
  wchar_t* raw = nullptr;
  // Frees what name holds, whatever the outcome.
  if (FAILED(::StrRetToStrW(&name, child, &raw))) return std::nullopt;
  const std::unique_ptr<wchar_t, CoTaskFree> text(raw);
  return std::wstring(text.get());
}

// Nothing for a child without a name.
std::optional<FolderEntry> describe(IShellFolder& folder, PCUITEMID_CHILD child) {
  const std::optional<std::wstring> name = parsing_name(folder, child);
  if (!name) return std::nullopt;
  SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FOLDER;
  if (FAILED(folder.GetAttributesOf(1, &child, &attributes))) attributes = 0;

  FolderEntry entry;
  entry.is_file_system = (attributes & SFGAO_FILESYSTEM) != 0;
  entry.is_folder = (attributes & SFGAO_FOLDER) != 0;
  entry.name = wide_to_ansi(*name);
  return entry;
}

// S_FALSE ends the listing; a failure part-way ends it too, with what was read, cut short.
void read_children(IShellFolder& folder, IEnumIDList& children, FolderListing& listing) {
  for (;;) {
    ITEMIDLIST* raw = nullptr;
    ULONG fetched = 0;
    const HRESULT result = children.Next(1, &raw, &fetched);
    const UniquePidl child(raw);
    if (result != S_OK || fetched != 1 || !child) {
      if (FAILED(result)) listing.cut_short = true;
      return;
    }
    // A child whose name cannot be had is one the listing does not hold.
    if (std::optional<FolderEntry> entry = describe(folder, child.get())) {
      make_room(listing.entries, listing.entries.size() + 1);
      listing.entries.push_back(std::move(*entry));
    } else
      listing.cut_short = true;
  }
}

}  // namespace

const FolderListing& ShellFolderLister::list(const std::string& folder) {
  IShellFolder* raw_desktop = nullptr;
  if (FAILED(::SHGetDesktopFolder(&raw_desktop)) || raw_desktop == nullptr)
    return listing_.restart(FolderStatus::Missing);
  const ComPtr<IShellFolder> desktop(raw_desktop);

  std::wstring wide = ansi_to_wide(folder);
  ITEMIDLIST* raw_root_id = nullptr;
  ULONG eaten = 0;
  const HRESULT parsed =
      desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &raw_root_id, nullptr);
  const UniquePidl root_id(raw_root_id);
  if (FAILED(parsed) || !root_id) return listing_.restart(FolderStatus::Missing);

  IShellFolder* raw_root = nullptr;
  const HRESULT bound = desktop->BindToObject(root_id.get(), nullptr, IID_IShellFolder,
                                              reinterpret_cast<void**>(&raw_root));
  const ComPtr<IShellFolder> root(raw_root);
  if (FAILED(bound) || !root) return listing_.restart(FolderStatus::NotAFolder);

  IEnumIDList* raw_children = nullptr;
  // Without SHCONTF_INCLUDEHIDDEN: the system leaves hidden entries out.
  const HRESULT enumerated =
      root->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &raw_children);
  const ComPtr<IEnumIDList> children(raw_children);
  if (FAILED(enumerated)) return listing_.restart(FolderStatus::Unreadable);

  listing_.restart(FolderStatus::Listed);
  if (children) read_children(*root, *children, listing_);  // S_FALSE gives none: no children
  return listing_;
}

// NTFS may keep size and time of a file still being written unchanged for a while, so the
// file is also opened as a reader that lets no writer in: a writer's handle refuses it.
StampResult ShellFolderLister::stamp(const std::string& path) {
  // Sharing delete too: a delete or a rename at this instant must not fail for the look.
  const UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !::GetFileInformationByHandle(file.get(), &info)) {
    const DWORD error = ::GetLastError();
    switch (error) {
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
        return StampResult::in_use();
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
        return StampResult::gone(Win32Shell().SystemMessage(error));
      default:
        return StampResult::unreadable(Win32Shell().SystemMessage(error));
    }
  }
  const auto size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  const auto written = (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                       info.ftLastWriteTime.dwLowDateTime;
  return StampResult::stamped(FileStamp{size, static_cast<std::int64_t>(written)});
}

}  // namespace lumenpoll
