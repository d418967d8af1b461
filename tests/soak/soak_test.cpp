// A long shift on the virtual clock: ten thousand images through the whole window and
// cycle, with scripts of random speed, slow deletes, raw files still being copied in,
// two arriving at once, the import folder now and then gone for a while, and raw files the
// scripts cannot take, whose boxes the operator leaves unanswered for minutes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
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

constexpr int kImages = 10000;
constexpr std::int64_t kSecond = 1000;

struct Image {
  bool arrived = false;
  bool written = false;  // the camera has finished copying it in
  bool delete_done = false;
  int raw_runs = 0;
  int dcm_runs = 0;
  int del_runs = 0;
  FileStamp stamp;
};

std::string name_of(int i) {
  return "s" + std::to_string(10000 + i).substr(1);  // short enough to stay off the heap
}

int index_of(const std::string& name) {
  return std::stoi(name.substr(1, 4));
}

// The station around the program: the folder, the scripts' effects and the camera.
class Shift : public FolderLister, public Shell, public ErrorBox {
 public:
  explicit Shift(unsigned seed) : random_(seed) {
    images_.resize(kImages);
    entries_.reserve(64);
  }

  // FolderLister
  const FolderListing& list(const std::string&) override {
    listing_ = missing_ ? FolderListing{FolderStatus::Missing, {}}
                        : FolderListing{FolderStatus::Listed, entries_};
    return listing_;
  }
  StampResult stamp(const std::string& path) override {
    if (missing_) return StampResult::gone();
    return StampResult::stamped(images_[index_of(text_after_folder(path))].stamp);
  }

  // Shell: checks what each start may assume, then plays the script's effect.
  ShellStart Execute(std::uintptr_t, const std::string&, const std::string& file,
                     const std::string& parameters, const std::string&, int) override {
    if (file == kDelDcmScript) return {};
    const std::string base = parameters.substr(0, parameters.find(' '));
    Image& image = images_.at(index_of(base));
    if (file == kRawScript) raw_started(base, image);
    if (file == kDcmScript) {
      EXPECT_EQ(image.raw_runs, 1) << base;
      ++image.dcm_runs;
    }
    if (file == kDelScript) del_started(base, image);
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
    open_boxes_.push_back(text);
    if (is_refusal(text)) {
      ++refusals_[text];
      const int taken_before = taken_;
      clock_->advance(between(1, 5) * 60 * kSecond);
      if (next_ < kImages) {
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
    at(1500, [this] { arrive(); });
  }

  // Only the refused raw files stay: nobody renames them.
  bool all_done() const {
    return done_ == kImages && entries_.size() == static_cast<std::size_t>(refused_names_);
  }
  int done() const { return done_; }
  int boxes() const { return boxes_; }
  const std::map<std::string, int>& refusals() const { return refusals_; }
  int refused_names() const { return refused_names_; }
  const std::string& last_deleted() const { return last_deleted_; }
  const std::vector<Image>& images() const { return images_; }
  std::int64_t peak_live_between(int from, int to) const {
    std::int64_t peak = 0;
    for (int i = from; i < to; ++i) peak = std::max(peak, live_at_delete_[i]);
    return peak;
  }

 private:
  static std::string text_after_folder(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
  }

  static bool is_refusal(const std::string& text) { return text.starts_with("Cannot process "); }

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

  void raw_started(const std::string& base, Image& image) {
    EXPECT_TRUE(image.written) << base << " taken while still being written";
    EXPECT_EQ(image.raw_runs, 0) << base << " processed twice";
    ++image.raw_runs;
    ++taken_;
    at(between(0, 30 * kSecond), [this, base] { add(base + ".TIF"); });
  }

  void del_started(const std::string& base, Image& image) {
    EXPECT_EQ(image.dcm_runs, 1) << base;
    ++image.del_runs;
    last_deleted_ = base;
    live_at_delete_[index_of(base)] = g_live_bytes;
    const std::int64_t lag = chance(0.2) ? between(2, 8) * kSecond : between(0, 500);
    at(lag, [this, base] {
      remove(base + ".NEF");
      remove(base + ".TIF");
      images_[index_of(base)].delete_done = true;
      ++done_;
    });
    // The next exposure; now and then two at once, but the queue never runs away.
    const std::int64_t next = between(0, 4 * kSecond);
    at(next, [this] { arrive(); });
    if (next_ == taken_ && chance(0.1)) at(next, [this] { arrive(); });
    if (chance(0.03)) {
      at(between(0, 20 * kSecond), [this] {
        missing_ = true;
        at(between(1, 10) * kSecond, [this] { missing_ = false; });
      });
    }
  }

  // A raw file is copied in at once, or over a few seconds, growing as it comes.
  void arrive() {
    if (next_ == kImages) return;
    const int i = next_++;
    Image& image = images_[i];
    image.arrived = true;
    image.stamp = {1, clock_->now_ms};
    add(name_of(i) + ".NEF");
    // Early in the shift, so that the names stay and nothing grows later on.
    if (i < 1000 && chance(0.02)) add("bad " + std::to_string(refused_names_++) + ".NEF");
    const int parts = chance(0.2) ? static_cast<int>(between(1, 40)) : 0;
    for (int part = 1; part <= parts; ++part) {
      at(part * 100, [this, i, part] { images_[i].stamp = {1 + std::uint64_t(part), part}; });
    }
    at(parts * 100, [this, i] { images_[i].written = true; });
  }

  void add(const std::string& name) { entries_.push_back({name, true, false, false}); }
  void remove(const std::string& name) {
    std::erase_if(entries_, [&](const FolderEntry& e) { return e.name == name; });
  }

  std::mt19937 random_;
  fakes::VirtualClock* clock_ = nullptr;
  std::unique_ptr<TimerHandle> world_;
  std::multimap<std::int64_t, std::function<void()>> events_;
  std::vector<FolderEntry> entries_;
  FolderListing listing_;
  std::vector<Image> images_;
  std::vector<std::int64_t> live_at_delete_ = std::vector<std::int64_t>(kImages);
  std::vector<std::string> open_boxes_;
  bool missing_ = false;
  int next_ = 0;   // images arrived
  int taken_ = 0;  // ... of them, handed to the raw script
  int done_ = 0;
  int boxes_ = 0;
  std::map<std::string, int> refusals_;  // box texts of refused names, how often shown
  int refused_names_ = 0;
  std::string last_deleted_;
};

unsigned soak_seed() {
  const char* given = std::getenv("LUMENPOLL_SOAK_SEED");
  return given != nullptr ? static_cast<unsigned>(std::stoul(given)) : 20261208u;
}

TEST(Soak, TenThousandImagesEachProcessedOnceWithNothingGrowing) {
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

  const std::int64_t give_up = std::int64_t{kImages} * 60 * kSecond;
  while (!shift.all_done() && clock.now_ms < give_up && !HasFailure()) clock.advance(kSecond);
  clock.advance(5 * kSecond);

  ASSERT_TRUE(shift.all_done()) << shift.done() << " images done when the cycle stopped at "
                                << clock.now_ms / kSecond << " s";
  for (int i = 0; i < kImages; ++i) {
    const Image& image = shift.images()[i];
    ASSERT_EQ(image.raw_runs + image.dcm_runs + image.del_runs, 3) << name_of(i);
  }
  EXPECT_EQ(view.captions["la_fname"], "Waiting for Image File");
  EXPECT_EQ(view.captions["la_last"], "Processed " + shift.last_deleted() + ".dcm");
  EXPECT_GT(shift.boxes(), 0) << "the folder was never missing: the shift tested too little";
  EXPECT_GT(shift.refused_names(), 0) << "no refused name: the shift tested too little";
  EXPECT_EQ(shift.refusals().size(), static_cast<std::size_t>(shift.refused_names()));
  for (const auto& [text, times] : shift.refusals()) EXPECT_EQ(times, 1) << text;
  // The cycle's one timer and the world's.
  EXPECT_EQ(clock.running(), 2u);
  // Whatever a shift needs is reached within its first images.
  EXPECT_LE(shift.peak_live_between(kImages - 1000, kImages),
            shift.peak_live_between(1000, 2000) + 4096);
}

}  // namespace
}  // namespace lumenpoll
