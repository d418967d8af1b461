#pragma once

namespace lumenpoll {

inline constexpr const char* kImportFolder = "C:\\TOLVA\\import";
inline constexpr const char* kDelDcmScript = "C:\\Program Files\\ImageJ\\ij_deldcm.bat";
inline constexpr const char* kRawScript = "C:\\Program Files\\ImageJ\\ij_raw.bat";
inline constexpr const char* kDcmScript = "C:\\Program Files\\ImageJ\\ij_dcm.bat";
inline constexpr const char* kDelScript = "C:\\Program Files\\ImageJ\\ij_del.bat";

}  // namespace lumenpoll
