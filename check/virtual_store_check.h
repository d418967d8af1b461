#pragma once

#include "check/report_writer.h"
#include "check/station_check.h"

namespace lumenpoll {

// The folder that holds the accounts' profiles on a stock Windows station.
inline constexpr const char* kProfilesFolder = "C:\\Users";

// Reports every copy of the macro list and the saved selection in this account's VirtualStore
// and in those of the profiles under C:\Users that can be read (all of them for an elevated
// administrator), each compared with the real file it hides.
void check_virtual_store_copies(const StationAccess& station, ReportWriter& out);

}  // namespace lumenpoll
