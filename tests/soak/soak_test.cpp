// A long shift on the virtual clock: ten thousand exposures through the whole window and
// cycle, with scripts of random speed, raw files still being copied in, two arriving at
// once, the import folder now and then gone for a while, and raw files the scripts cannot
// take, whose boxes the operator leaves unanswered for minutes. The camera's counter wraps
// at a few names, so every name comes back again and again; deletes are slow, leave the
// processed image behind or fail now and then. The shift follows exposures, not names: each
// file knows the exposure it belongs to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "config/selection_file.h"
#include "cycle/station_paths.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_view.h"
#include "fakes/virtual_clock.h"
#include "ui/form1.h"

// Live heap bytes, to see whether anything grows from image to image. Replacing the
// global allocation functions is the only portable way to watch every allocation.
namespace {
std::int64_t g_live_bytes = 0;  // NOLINT: the allocator has nowhere else to keep it
constexpr std::size_t kHeader = alignof(std::max_align_t);
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  g_live_bytes += static_cast<std::int64_t>(size);
  return static_cast<char*>(block) + kHeader;
}

void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  // Through an integer: the compiler would otherwise take the step back before p for an
  // overrun of whatever p was allocated for.
  auto* block = reinterpret_cast<std::size_t*>(reinterpret_cast<std::uintptr_t>(p) - kHeader);
  g_live_bytes -= static_cast<std::int64_t>(*block);
  std::free(block);
}

void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}

namespace lumenpoll {
namespace {

constexpr int kExposures = 10000;
constexpr int kNames = 5;  // the camera's counter wraps here
constexpr std::int64_t kSecond = 1000;

struct Exposure {
  std::string name;  // its base name, one of the camera's few
  std::int64_t arrived_at = 0;
  bool written = false;  // the camera has finished copying it in
  int raw_runs = 0;
  int filed = 0;  // DICOM runs on its own processed image
  int del_runs = 0;
  bool delete_failed = false;
  bool told_held = false;
};

// A file of the import folder and the exposure it belongs to.
struct File {
  int exposure;
  FileStamp stamp;
};

std::string name_of(int exposure) {
  return "dsc" + std::to_string(exposure % kNames);  // short enough to stay off the heap
}

// The station around the program: the folder, the scripts' effects and the camera.
class Shift : public FolderLister, public Shell, public ErrorBox {
 public:
  explicit Shift(unsigned seed) : random_(seed) { exposures_.resize(kExposures); }

  // FolderLister
  const FolderListing& list(const std::string&) override {
    if (missing_) return listing_.restart(FolderStatus::Missing);
    listing_.restart(FolderStatus::Listed);
    for (const auto& [name, file] : files_) listing_.entries.push_back({name, true, false, false});
    return listing_;
  }
  StampResult stamp(const std::string& path) override {
    const File* file = missing_ ? nullptr : find(after_folder(path));
    return file == nullptr ? StampResult::gone() : StampResult::stamped(file->stamp);
  }

  // Shell: checks what each start may assume of the exposure it is for, then plays the
  // script's effect.
  ShellStart Execute(std::uintptr_t, const std::string&, const std::string& file,
                     const std::string& parameters, const std::string&, int) override {
    if (file == kDelDcmScript) return {};
    const std::string base = parameters.substr(0, parameters.find(' '));
    const File* raw = find(base + ".NEF");
    EXPECT_NE(raw, nullptr) << file << " started for " << base << " without its raw file";
    if (raw == nullptr) return {};
    if (file == kRawScript) raw_started(base, raw->exposure);
    if (file == kDcmScript) dcm_started(base, raw->exposure);
    if (file == kDelScript) del_started(base, raw->exposure);
    return {};
  }
  std::string SystemMessage(unsigned) override { return ""; }

  // ErrorBox: one box per timer at most, and now and then the operator takes a while; a
  // refused name's box waits for minutes, while the other images go on.
  void show(const std::string&, const std::string& text) override {
    ++boxes_;
    for (const std::string& open : open_boxes_) {
      EXPECT_NE(open, text) << "two boxes for one timer";
      EXPECT_FALSE(is_refusal(open) && is_refusal(text)) << "two refusals on screen at once";
    }
    EXPECT_EQ(text.find("from an earlier image"), std::string::npos)
        << "every raw script here replaces the processed image within half a minute: " << text;
    if (text.find(" is still in the import folder after its delete;") != std::string::npos)
      told_held(text.substr(0, text.find(' ')));
    open_boxes_.push_back(text);
    if (is_refusal(text)) {
      ++refusals_[text];
      const int taken_before = taken_;
      const int first_during = next_;
      clock_->advance(between(1, 5) * 60 * kSecond);
      // The camera may have waited all along for a held raw file whose box is queued behind
      // this one; what it wrote meanwhile must have been taken.
      if (next_ > first_during &&
          exposures_[first_during].arrived_at + 30 * kSecond < clock_->now_ms) {
        EXPECT_GT(taken_, taken_before) << "the scans waited for " << text;
      }
    } else if (chance(0.3)) {
      clock_->advance(between(0, 3 * kSecond));
    }
    open_boxes_.pop_back();
  }

  void start(fakes::VirtualClock& clock) {
    clock_ = &clock;
    world_ = clock.start(100, [this] { run_due_events(); });
    at(1500, [this] { expose(); });
  }

  // Only the refused raw files stay: nobody renames them.
  bool all_done() const {
    return next_ == kExposures && events_.empty() &&
           files_.size() == static_cast<std::size_t>(refused_names_) + left_processed();
  }
  // For a shift that did not end: where it stands.
  std::string state() const {
    std::string text = std::to_string(next_) + " exposures arrived, " + std::to_string(taken_) +
                       " taken; the folder holds";
    for (const auto& [name, file] : files_)
      text += " " + name + " (" + std::to_string(file.exposure) + ")";
    return text + "; " + std::to_string(events_.size()) + " events to come";
  }
  const std::vector<Exposure>& exposures() const { return exposures_; }
  int boxes() const { return boxes_; }
  const std::map<std::string, int>& refusals() const { return refusals_; }
  int refused_names() const { return refused_names_; }
  const std::string& last_deleted() const { return last_deleted_; }
  std::int64_t peak_live_between(int from, int to) const {
    std::int64_t peak = 0;
    for (int i = from; i < to; ++i) peak = std::max(peak, live_at_delete_[i]);
    return peak;
  }

  // What the shift counts, beside each exposure's own record.
  int earlier_images_met = 0;  // raw scripts started beside an earlier exposure's image
  int earlier_images_filed = 0;
  int deleted_unprocessed = 0;
  int failed_deletes = 0;
  int held_told = 0;

 private:
  static std::string after_folder(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
  }
  static bool is_refusal(const std::string& text) { return text.starts_with("Cannot process "); }

  const File* find(const std::string& name) const {
    const auto file = files_.find(name);
    return file == files_.end() ? nullptr : &file->second;
  }
  std::size_t left_processed() const {
    return static_cast<std::size_t>(std::count_if(
        files_.begin(), files_.end(), [](const auto& f) { return f.first.ends_with(".TIF"); }));
  }

  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
  std::int64_t between(std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(random_);
  }
  void at(std::int64_t delay, std::function<void()> event) {
    events_.emplace(clock_->now_ms + delay, std::move(event));
  }
  void run_due_events() {
    while (!events_.empty() && events_.begin()->first <= clock_->now_ms) {
      auto event = std::move(events_.begin()->second);
      events_.erase(events_.begin());
      event();
    }
  }

  // Each write is a new stamp: a file written over has changed.
  void write(const std::string& name, int exposure) {
    files_[name] = File{exposure, FileStamp{1, ++writes_}};
  }
  // A script removes what it finds under a name only while it is its own exposure's.
  void remove(const std::string& name, int exposure) {
    const auto file = files_.find(name);
    if (file != files_.end() && file->second.exposure == exposure) files_.erase(file);
  }

  void raw_started(const std::string& base, int exposure) {
    Exposure& e = exposures_[exposure];
    EXPECT_TRUE(e.written) << base << " taken while still being written";
    EXPECT_EQ(e.raw_runs, 0) << "exposure " << exposure << " (" << base << ") processed twice";
    ++e.raw_runs;
    ++taken_;
    if (const File* tif = find(base + ".TIF"); tif != nullptr && tif->exposure != exposure)
      ++earlier_images_met;
    at(between(0, 30 * kSecond), [this, base, exposure] { write(base + ".TIF", exposure); });
  }

  void dcm_started(const std::string& base, int exposure) {
    const File* tif = find(base + ".TIF");
    ASSERT_NE(tif, nullptr) << "DICOM script for " << base << " without a processed image";
    if (tif->exposure != exposure) {
      ++earlier_images_filed;
      ADD_FAILURE() << "exposure " << tif->exposure << "'s image filed for exposure " << exposure;
      return;
    }
    ++exposures_[exposure].filed;
  }

  void del_started(const std::string& base, int exposure) {
    Exposure& e = exposures_[exposure];
    if (e.filed == 0) {
      ++deleted_unprocessed;
      ADD_FAILURE() << "exposure " << exposure << " (" << base << ") deleted unprocessed";
    }
    ++e.del_runs;
    last_deleted_ = base;
    live_at_delete_[exposure] = g_live_bytes;
    play_delete(base, exposure);
    // The next exposure; now and then two at once, but the queue never runs away.
    const std::int64_t next = between(0, 4 * kSecond);
    at(next, [this] { expose(); });
    if (next_ == taken_ && chance(0.1)) at(next, [this] { expose(); });
    if (chance(0.03)) {
      at(between(0, 20 * kSecond), [this] {
        missing_ = true;
        at(between(1, 10) * kSecond, [this] { missing_ = false; });
      });
    }
  }

  // Mostly quick; now and then slow, or late with the processed image, or leaving it behind;
  // and now and then the delete fails and the raw file stays.
  void play_delete(const std::string& base, int exposure) {
    const double roll = std::uniform_real_distribution<double>(0, 1)(random_);
    const std::int64_t lag = chance(0.2) ? between(2, 8) * kSecond : between(0, 500);
    if (roll < 0.05) {
      exposures_[exposure].delete_failed = true;
      ++failed_deletes;
      return;
    }
    at(lag, [this, base, exposure] { remove(base + ".NEF", exposure); });
    if (roll < 0.12) return;  // the processed image stays
    const std::int64_t tif_lag = roll < 0.2 ? lag + between(0, 10 * kSecond) : lag;
    at(tif_lag, [this, base, exposure] { remove(base + ".TIF", exposure); });
  }

  // The operator reads the box, then deletes the raw file as it says.
  void told_held(const std::string& name) {
    const File* raw = find(name);
    ASSERT_NE(raw, nullptr) << name << " told as held, but it has gone";
    Exposure& e = exposures_[raw->exposure];
    EXPECT_TRUE(e.delete_failed) << name << " told as held, but its delete worked";
    EXPECT_FALSE(e.told_held) << name << " told twice";
    e.told_held = true;
    ++held_told;
    const int exposure = raw->exposure;
    at(between(0, 60 * kSecond), [this, name, exposure] { remove(name, exposure); });
  }

  // The operator takes an exposure; the camera writes it as soon as it can.
  void expose() {
    ++exposures_wanted_;
    if (!camera_waiting_) write_exposures();
  }

  // A raw file is copied in at once, or over a few seconds, growing as it comes. The camera
  // writes a name again only once its last raw file is gone, as a real one finds it.
  void write_exposures() {
    for (; exposures_wanted_ > 0 && next_ < kExposures; --exposures_wanted_) {
      const std::string name = name_of(next_);
      if (find(name + ".NEF") != nullptr) {
        camera_waiting_ = true;
        at(kSecond, [this] {
          camera_waiting_ = false;
          write_exposures();
        });
        return;
      }
      write_raw(name, next_++);
    }
  }

  void write_raw(const std::string& name, int i) {
    exposures_[i].name = name;
    exposures_[i].arrived_at = clock_->now_ms;
    write(name + ".NEF", i);
    // Early in the shift, so that the names stay and nothing grows later on.
    if (i < 1000 && chance(0.02)) write("bad " + std::to_string(refused_names_++) + ".NEF", -1);
    const int parts = chance(0.2) ? static_cast<int>(between(1, 40)) : 0;
    for (int part = 1; part <= parts; ++part)
      at(part * 100, [this, name, i] { write(name + ".NEF", i); });
    at(parts * 100, [this, i] { exposures_[i].written = true; });
  }

  std::mt19937 random_;
  fakes::VirtualClock* clock_ = nullptr;
  std::unique_ptr<TimerHandle> world_;
  std::multimap<std::int64_t, std::function<void()>> events_;
  std::map<std::string, File> files_;
  FolderListing listing_;
  std::vector<Exposure> exposures_;
  std::vector<std::int64_t> live_at_delete_ = std::vector<std::int64_t>(kExposures);
  std::vector<std::string> open_boxes_;
  bool missing_ = false;
  std::int64_t writes_ = 0;
  int exposures_wanted_ = 0;
  bool camera_waiting_ = false;  // for the next name's raw file to go
  int next_ = 0;                 // exposures arrived
  int taken_ = 0;                // ... of them, handed to the raw script
  int boxes_ = 0;
  std::map<std::string, int> refusals_;  // box texts of refused names, how often shown
  int refused_names_ = 0;
  std::string last_deleted_;
};

unsigned soak_seed() {
  const char* given = std::getenv("LUMENPOLL_SOAK_SEED");
  return given != nullptr ? static_cast<unsigned>(std::stoul(given)) : 20261208u;
}

TEST(Soak, TenThousandExposuresEachFiledOnceUnderItsOwnImageWithNothingGrowing) {
  const unsigned seed = soak_seed();
  SCOPED_TRACE("seed " + std::to_string(seed) + " (repeat with LUMENPOLL_SOAK_SEED)");
  fakes::VirtualClock clock;
  fakes::FakeFileSystem files;
  files.files[kMacroListPath] = "[Canine]\r\nThorax LAT thorax_lat [10 60 5]\r\n";
  files.files[kSelectionPath] = "0 0\r\n";
  fakes::FakeView view;
  Shift shift(seed);
  Application app("Orvend Image Processing", shift);
  const Platform platform{files, shift, shift, clock};
  TForm1 form(Edition::Full, app, platform, view);
  form.OnShow();
  shift.start(clock);

  const std::int64_t give_up = std::int64_t{kExposures} * 60 * kSecond;
  while (!shift.all_done() && clock.now_ms < give_up && !HasFailure()) clock.advance(kSecond);
  clock.advance(5 * kSecond);

  ASSERT_TRUE(shift.all_done()) << "the cycle stopped at " << clock.now_ms / kSecond
                                << " s: " << shift.state();
  int filed = 0;
  for (int i = 0; i < kExposures; ++i) {
    const Exposure& e = shift.exposures()[i];
    ASSERT_EQ(e.raw_runs, 1) << "exposure " << i << " (" << e.name << ")";
    ASSERT_EQ(e.filed, 1) << "exposure " << i << " (" << e.name << ")";
    ASSERT_EQ(e.del_runs, 1) << "exposure " << i << " (" << e.name << ")";
    EXPECT_EQ(e.told_held, e.delete_failed) << "exposure " << i << " (" << e.name << ")";
    filed += e.filed;
  }
  EXPECT_EQ(shift.earlier_images_filed, 0);
  EXPECT_EQ(shift.deleted_unprocessed, 0);
  EXPECT_EQ(shift.held_told, shift.failed_deletes);
  std::cout << "Soak: " << kExposures << " exposures under " << kNames << " names, " << filed
            << " filed on their own image; " << shift.earlier_images_met
            << " raw scripts started beside an earlier exposure's image, "
            << shift.earlier_images_filed << " earlier images filed; " << shift.failed_deletes
            << " failed deletes, " << shift.held_told << " told ("
            << shift.failed_deletes - shift.held_told << " held without a word); "
            << shift.deleted_unprocessed << " exposures deleted unprocessed\n";
  EXPECT_GT(shift.earlier_images_met, 0) << "no name came back beside its old image";
  EXPECT_GT(shift.failed_deletes, 0) << "no delete failed: the shift tested too little";

  EXPECT_EQ(view.captions["la_fname"], "Waiting for Image File");
  EXPECT_EQ(view.captions["la_last"], "Processed " + shift.last_deleted() + ".dcm");
  EXPECT_GT(shift.boxes(), 0) << "the folder was never missing: the shift tested too little";
  EXPECT_GT(shift.refused_names(), 0) << "no refused name: the shift tested too little";
  EXPECT_EQ(shift.refusals().size(), static_cast<std::size_t>(shift.refused_names()));
  for (const auto& [text, times] : shift.refusals()) EXPECT_EQ(times, 1) << text;
  // The cycle's one timer and the world's.
  EXPECT_EQ(clock.running(), 2u);
  // Whatever a shift needs is reached within its first exposures.
  EXPECT_LE(shift.peak_live_between(kExposures - 1000, kExposures),
            shift.peak_live_between(1000, 2000) + 4096);
}

}  // namespace
}  // namespace lumenpoll
