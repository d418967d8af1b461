#include "ui/station_hand_over.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <utility>

#include "fakes/fake_error_box.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_folder_lister.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_station.h"
#include "fakes/fake_view.h"
#include "fakes/virtual_clock.h"

namespace lumenpoll {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kImport = fakes::kImportFolder;
constexpr const char* kElsewhere = "Running in another session";

constexpr const char* kList =
    "[Canine]\r\n"
    "Thorax LAT thorax_lat [10 60 5]\r\n"
    "[Feline]\r\n"
    "Thorax VD thorax_vd_cat [4 55 2.5]\r\n";

class CopyLock;

// The machine as the system keeps it for every copy: the session at the console, who holds
// the station, the sessions that have a copy, and where a window of the program can be found.
struct Machine {
  std::optional<SessionId> console;
  CopyLock* holder = nullptr;
  std::set<SessionId> claimed;
  std::map<SessionId, int> windows;
};

// One copy's lock and sessions on the machine. A holder answers by its own decision.
class CopyLock : public StationLock, public ConsoleSessions {
 public:
  CopyLock(Machine& machine, SessionId session, std::string user)
      : machine_(machine), session_(session), user_(std::move(user)) {}

  bool claim_session() override { return claimed_ = machine_.claimed.insert(session_).second; }
  void drop_session() override {
    if (claimed_) machine_.claimed.erase(session_);
    claimed_ = false;
  }
  bool acquire() override {
    if (machine_.holder != nullptr && machine_.holder != this) return false;
    machine_.holder = this;
    return true;
  }
  void release() override {
    if (machine_.holder == this) machine_.holder = nullptr;
  }
  std::optional<HolderAnswer> ask() override {
    CopyLock* holder = machine_.holder;
    if (holder == nullptr) return std::nullopt;
    return HolderAnswer{holder->self(), holder->verdict_for(session_)};
  }
  void ask_to_hand_over() override {
    if (machine_.holder != nullptr) machine_.holder->verdict_for(session_);
  }
  void answer_with(Decide decide) override { decide_ = std::move(decide); }
  StationHolder self() const override { return {user_, std::to_string(session_)}; }
  void bring_holder_forward() override {}
  bool raise_window() override { return machine_.windows[session_] > 0; }

  std::optional<SessionId> console() const override { return machine_.console; }
  std::optional<SessionId> own() const override { return session_; }

  SessionId session() const { return session_; }
  bool holds() const { return machine_.holder == this; }

 private:
  HolderVerdict verdict_for(SessionId asker) {
    return decide_ ? decide_(asker) : HolderVerdict::Held;
  }

  Machine& machine_;
  SessionId session_;
  std::string user_;
  bool claimed_ = false;
  Decide decide_;
};

struct World;

// A copy of the program in one session: its start, and while it runs, its window.
struct Copy {
  Copy(World& world, SessionId session, const std::string& user);
  Copy(const Copy&) = delete;
  Copy& operator=(const Copy&) = delete;

  // Starts the program; true when it runs (with a window), false when it ended at once.
  bool start();
  // The window closes and the program ends (closed, or its session logged off).
  void end();
  // "script argument..." of every script this copy started.
  Strings scripts() const;
  std::string status() { return view.captions["la_fname"]; }

  World& world;
  CopyLock lock;
  fakes::FakeShell shell;
  fakes::FakeView view;
  fakes::FakeErrorBox box;
  Application app{"Orvend Image Processing", box};
  Platform platform;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<StationHandOver> hand_over;
  std::size_t calls_acted_on = 0;
};

// The import folder, the station's two text files and the clock that all copies share; the
// scripts' effects on the folder are played by the world as time passes.
struct World {
  World() {
    files.files[fakes::kMacroListFile] = kList;
    files.files[fakes::kSelectionFile] = "0 0\r\n";
    folders.folders[kImport] = {};
  }

  void drop(const std::string& name) { folders.add_file(kImport, name); }
  void write(const std::string& name) {
    if (!listed(name)) drop(name);
    folders.stamps[std::string(kImport) + "\\" + name] = FileStamp{1, ++writes};
  }
  bool listed(const std::string& name) const {
    for (const FolderEntry& e : folders.folders.at(kImport).entries)
      if (e.name == name) return true;
    return false;
  }

  // Runs the clock in 100 ms steps until done() holds, for at most ms; the delete script
  // removes the image's files, the raw script writes the processed image where asked to
  // (each written anew, a new stamp).
  bool run_until(const std::function<bool()>& done, int ms) {
    for (int passed = 0; passed <= ms; passed += 100) {
      if (done()) return true;
      clock.advance(100);
      play_scripts();
    }
    return done();
  }
  void run(int ms) {
    run_until([] { return false; }, ms);
  }

  void play_scripts() {
    for (Copy* copy : copies) {
      for (; copy->calls_acted_on < copy->shell.calls.size(); ++copy->calls_acted_on) {
        const fakes::FakeShell::Call& call = copy->shell.calls[copy->calls_acted_on];
        if (!call.started) continue;  // a script that did not start does nothing
        const std::string image = call.parameters.substr(0, call.parameters.find(' '));
        if (call.file.ends_with("ij_del.bat")) {
          folders.remove(kImport, image + ".NEF");
          folders.remove(kImport, image + ".TIF");
        } else if (call.file.ends_with("ij_raw.bat") && writes_tif) {
          write(image + ".TIF");
        }
      }
    }
  }

  fakes::VirtualClock clock;
  fakes::FakeFileSystem files;
  fakes::FakeFolderLister folders;
  Machine machine;
  std::vector<Copy*> copies;
  bool writes_tif = true;  // the raw script writes its processed image at once
  std::int64_t writes = 0;
};

Copy::Copy(World& w, SessionId session, const std::string& user)
    : world(w), lock(w.machine, session, user), platform{w.files, w.folders, shell, w.clock} {
  shell.clock_ms = &w.clock.now_ms;
  w.copies.push_back(this);
}

bool Copy::start() {
  run_alone(lock, app, [this](StartAs as) {
    form = std::make_unique<TForm1>(
        Edition::Full, app, platform, view,
        as == StartAs::Holder ? TForm1::CycleStart::Now : TForm1::CycleStart::Later);
    hand_over = std::make_unique<StationHandOver>(lock, lock, *form, app, world.clock, as);
    form->OnShow();
    ++world.machine.windows[lock.session()];
    return 0;
  });
  return form != nullptr;
}

void Copy::end() {
  form->OnCloseRequest();
  hand_over.reset();
  form.reset();
  --world.machine.windows[lock.session()];
  lock.release();
  lock.drop_session();
}

Strings Copy::scripts() const {
  Strings names;
  for (const fakes::FakeShell::Call& call : shell.calls) {
    const std::string script = call.file.substr(call.file.rfind('\\') + 1);
    names.push_back(call.parameters.empty() ? script : script + " " + call.parameters);
  }
  return names;
}

// Anna holds the station in session 1 and has just started the raw script of a.NEF; Ben
// logs on in session 2 by fast user switching, which takes the console there.
struct AnnaMidImageBenAtTheConsole : ::testing::Test {
  AnnaMidImageBenAtTheConsole() {
    world.machine.console = 1;
    world.writes_tif = false;
    EXPECT_TRUE(anna.start());
    world.drop("a.NEF");
    EXPECT_TRUE(world.run_until([&] { return anna.scripts().size() == 2; }, 10000));
    world.machine.console = 2;
    world.files.files[fakes::kSelectionFile] = "1 0\r\n";  // Ben's
  }

  World world;
  Copy anna{world, 1, "anna"};
  Copy ben{world, 2, "ben"};
};

// Anna's copy finishes a.NEF up to its delete script, takes nothing more and gives the
// station up; Ben's window waits without a cycle meanwhile, then starts one from the
// beginning and takes the raw file that came in the meantime with his own choice.
TEST_F(AnnaMidImageBenAtTheConsole, HerCopyFinishesItsImageThenHisRunsTheCycle) {
  ASSERT_TRUE(ben.start());
  EXPECT_EQ(ben.status(), kElsewhere);
  world.drop("b.NEF");
  world.run(5000);
  EXPECT_TRUE(ben.scripts().empty());
  EXPECT_TRUE(anna.lock.holds());

  world.drop("a.TIF");
  ASSERT_TRUE(world.run_until([&] { return ben.scripts().size() == 2; }, 30000));
  EXPECT_EQ(anna.scripts(),
            (Strings{"ij_deldcm.bat", "ij_raw.bat a thorax_lat", "ij_dcm.bat a", "ij_del.bat a"}));
  EXPECT_EQ(ben.scripts(), (Strings{"ij_deldcm.bat", "ij_raw.bat b thorax_vd_cat"}));
  EXPECT_GT(ben.shell.calls[0].at_ms, anna.shell.calls[3].at_ms);
  EXPECT_TRUE(ben.lock.holds());
  EXPECT_EQ(anna.status(), kElsewhere);
  EXPECT_EQ(world.files.files[fakes::kSelectionFile], "0 0\r\n");  // Anna's, saved
  EXPECT_TRUE(anna.box.shown.empty());
  EXPECT_TRUE(ben.box.shown.empty());

  world.run(20000);
  EXPECT_EQ(anna.scripts().size(), 4u);
}

// Past the time limit Anna's copy stops where it is: no DICOM file, no delete; the raw file
// stays, and Ben's copy processes it from the start.
TEST_F(AnnaMidImageBenAtTheConsole, PastTheTimeLimitHerCopyStopsAndTheRawFileStaysForHis) {
  ASSERT_TRUE(ben.start());
  world.run(StationHandOver::kTimeLimitMs - 2000);
  EXPECT_TRUE(anna.lock.holds());
  ASSERT_TRUE(world.run_until([&] { return ben.scripts().size() == 2; }, 10000));
  EXPECT_EQ(anna.scripts(), (Strings{"ij_deldcm.bat", "ij_raw.bat a thorax_lat"}));
  EXPECT_EQ(ben.scripts(), (Strings{"ij_deldcm.bat", "ij_raw.bat a thorax_vd_cat"}));
  EXPECT_TRUE(anna.box.shown.empty());
}

// The station follows the console: Ben's copy, waiting for a raw file, hands it over at
// once; Anna's copy, back at the console, takes it back and starts its cycle anew with her
// choice; once her session is gone, his copy takes it wherever the console is.
TEST(StationHandOver, TheStationFollowsTheConsoleAndIsTakenWhenNobodyHoldsIt) {
  World world;
  world.machine.console = 2;
  Copy ben(world, 2, "ben");
  ASSERT_TRUE(ben.start());
  world.run(3000);
  world.machine.console = 1;
  Copy anna(world, 1, "anna");
  ASSERT_TRUE(anna.start());
  ASSERT_TRUE(world.run_until([&] { return anna.lock.holds(); }, 3000));
  EXPECT_EQ(ben.status(), kElsewhere);

  world.machine.console = 2;  // Ben switches back, his window kept
  ASSERT_TRUE(world.run_until([&] { return ben.lock.holds(); }, 3000));
  EXPECT_EQ(ben.status(), "Waiting for  Image File");
  world.drop("c.NEF");
  ASSERT_TRUE(world.run_until([&] { return !world.listed("c.NEF"); }, 20000));
  EXPECT_EQ(ben.scripts(), (Strings{"ij_deldcm.bat", "ij_deldcm.bat", "ij_raw.bat c thorax_lat",
                                    "ij_dcm.bat c", "ij_del.bat c"}));
  for (const std::string& script : anna.scripts()) EXPECT_EQ(script, "ij_deldcm.bat");

  world.machine.console = std::nullopt;  // being switched; Ben logs off
  ben.end();
  ASSERT_TRUE(world.run_until([&] { return anna.lock.holds(); }, 3000));
  world.drop("d.NEF");
  ASSERT_TRUE(world.run_until([&] { return !world.listed("d.NEF"); }, 20000));
  EXPECT_EQ(anna.scripts().back(), "ij_del.bat d");
  EXPECT_TRUE(anna.box.shown.empty());
  EXPECT_TRUE(ben.box.shown.empty());
}

// Away from the console, or anywhere while the holder's session is at the console, a start
// is told who holds the station and ends, holding nothing. The holder goes on undisturbed.
TEST(StationHandOver, AStartThatMayNotTakeTheStationIsToldWhyAndEnds) {
  struct Case {
    const char* what;
    std::optional<SessionId> console;
  };
  const Case cases[] = {
      {"holder at the console", 1},
      {"start away from the console", 3},
      {"console being switched", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    World world;
    world.machine.console = 1;
    Copy anna(world, 1, "anna");
    ASSERT_TRUE(anna.start());
    world.run(1500);
    world.machine.console = c.console;
    Copy ben(world, 2, "ben");
    EXPECT_FALSE(ben.start());
    EXPECT_EQ(ben.box.texts(), Strings{"lumenpoll is already running for anna on this station. "
                                       "Close it in that session to run it here."});
    EXPECT_EQ(world.machine.claimed, std::set<SessionId>{1});
    world.drop("e.NEF");
    ASSERT_TRUE(world.run_until([&] { return !world.listed("e.NEF"); }, 20000));
    EXPECT_TRUE(anna.lock.holds());
    EXPECT_TRUE(anna.box.shown.empty());
  }
}

// A box of the cycle that nobody answers in a session left behind must not stop the station
// from moving on, nor meet a cycle that has gone when it is answered at last.
TEST(StationHandOver, ACycleHandlerWaitingOnItsBoxOutlivesItsCycle) {
  World world;
  world.machine.console = 1;
  Copy anna(world, 1, "anna");
  Copy ben(world, 2, "ben");
  anna.shell.failures["C:\\Program Files\\ImageJ\\ij_raw.bat"] = 2;
  bool once = false;
  anna.box.while_open = [&] {
    if (std::exchange(once, true)) return;
    world.machine.console = 2;
    EXPECT_TRUE(ben.start());
    EXPECT_TRUE(
        world.run_until([&] { return ben.lock.holds(); }, StationHandOver::kTimeLimitMs + 5000));
    world.machine.console = 1;
    EXPECT_TRUE(world.run_until([&] { return anna.lock.holds(); }, 10000));
    anna.shell.failures.clear();
  };
  ASSERT_TRUE(anna.start());
  world.drop("f.NEF");
  ASSERT_TRUE(world.run_until([&] { return !world.listed("f.NEF"); }, 30000));
  EXPECT_EQ(anna.box.shown.size(), 1u);
  EXPECT_EQ(anna.scripts().back(), "ij_del.bat f");
  for (const std::string& script : ben.scripts()) EXPECT_EQ(script, "ij_deldcm.bat");
}

}  // namespace
}  // namespace lumenpoll
