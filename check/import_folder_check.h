#pragma once

#include "base/edition.h"
#include "check/report_writer.h"
#include "check/station_check.h"

namespace lumenpoll {

// Whether the import folder can be listed and what the program would do with each raw file
// in it: take it, wait for it, leave it alone, or take it and then wait for a processed
// image of the same name, left from before, to be replaced. Each raw file is looked at twice,
// a second apart, as the program's scans are.
void check_import_folder(const StationAccess& station, Edition edition, ReportWriter& out);

}  // namespace lumenpoll
