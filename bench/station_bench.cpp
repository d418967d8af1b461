// Whole-station figures: start-up reading of a full macro list, a scan of a crowded
// import folder on disk, and the core's cost per image over a long shift.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "fakes/fake_station.h"
#include "platform/posix/drive_path.h"
#include "platform/posix/posix_folder_lister.h"
#include "ui/form1.h"

namespace lumenpoll {
namespace {

constexpr const char* kImport = fakes::kImportFolder;

std::string full_macro_list() {
  std::string list;
  for (int s = 0; s < 20; ++s) {
    list += "[Species " + std::to_string(s) + "]\r\n";
    for (int e = 0; e < 18; ++e)
      list += "Region " + std::to_string(e) + " macro_" + std::to_string(e) +
              " [8 60 4] [*10 62 5] [12 66 6] [14 70 8]\r\n";
  }
  return list + "[AUTOCLOSE]\r\nNO\r\n";
}

struct Station : fakes::FakeStation {
  Station() : FakeStation(full_macro_list(), "3 4\r\n") {}
};

void BM_StartUpWithFullMacroList(benchmark::State& state) {
  Station st;
  for (auto _ : state) {
    TForm1 form(Edition::Full, st.app, st.platform, st.view);
    form.OnShow();
    benchmark::DoNotOptimize(form.cb_region().Count());
  }
}
BENCHMARK(BM_StartUpWithFullMacroList);

// Core time per image of a shift, the platform faked: scans, scripts, status texts.
void BM_ImagesThroughTheCycle(benchmark::State& state) {
  Station st;
  TForm1 form(Edition::Full, st.app, st.platform, st.view);
  form.OnShow();
  st.clock.advance(1000);
  int n = 0;
  for (auto _ : state) {
    const std::string base = "shot" + std::to_string(n++);
    st.folders.add_file(kImport, base + ".NEF");
    st.clock.advance(2000);
    st.folders.add_file(kImport, base + ".TIF");
    st.clock.advance(7000);
    st.folders.folders[kImport].entries.clear();
  }
  state.SetItemsProcessed(n);
}
BENCHMARK(BM_ImagesThroughTheCycle);

// One real scan of an import folder left with many files, as after an outage.
void BM_ScanCrowdedImportFolder(benchmark::State& state) {
  const auto drive = std::filesystem::temp_directory_path() / "lumenpoll_bench_drive";
  const auto import = drive / "TOLVA" / "import";
  std::filesystem::remove_all(drive);
  std::filesystem::create_directories(import);
  for (int i = 0; i < state.range(0); ++i)
    std::ofstream(import / ("img" + std::to_string(i) + ".NEF"));

  PosixFolderLister lister{DrivePath(drive.string())};
  TStShellEnumerator scanner(lister);
  scanner.RootFolder = kImport;
  scanner.Sorted = true;
  int seen = 0;
  scanner.OnEnumItem = [&](TStShellEnumerator&, const TStShellItem&, bool&) { ++seen; };
  for (auto _ : state) scanner.Enumerate();
  state.SetItemsProcessed(seen);
  std::filesystem::remove_all(drive);
}
BENCHMARK(BM_ScanCrowdedImportFolder)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace lumenpoll
