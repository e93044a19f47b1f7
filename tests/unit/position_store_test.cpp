// The window-position file: what update writes, what fetch applies and in
// which order, the list section's trip through a run, and where the lock is
// (and is not) held.

#include "positions/position_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "unit/scratch_config_home.h"

namespace {

// Parameterised tests print a case by its name rather than by its bytes.
template <typename Case>
requires requires(const Case& c) {
  c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
  *out << c.name;
}

using Home = ScratchConfigHome;
using lumo::PositionStore;
using lumo::SectorEntry;

constexpr const char* kFile = "lumo.INI";

// A window in memory that logs every change made to it, in order.
class FakeWindow : public rt::ui::PlacedWindow {
 public:
  rt::ui::Geometry normal{5, 6, 100, 50};
  bool canResize = true;
  bool isMaximized = false;
  bool isMinimized = false;
  std::vector<std::string> changes;
  std::function<void()> onAccess;  // runs at every read or change

  rt::ui::Geometry geometry() const override { return touch(normal); }
  void setX(int x) override { change("x=" + std::to_string(normal.x = x)); }
  void setY(int y) override { change("y=" + std::to_string(normal.y = y)); }
  void setWidth(int w) override { change("w=" + std::to_string(normal.width = w)); }
  void setHeight(int h) override { change("h=" + std::to_string(normal.height = h)); }
  bool resizable() const override { return touch(canResize); }
  bool maximized() const override { return touch(isMaximized); }
  void setMaximized(bool on) override {
    change(std::string("max=") + ((isMaximized = on) ? "1" : "0"));
  }
  bool minimized() const override { return touch(isMinimized); }
  void setMinimized(bool on) override {
    change(std::string("min=") + ((isMinimized = on) ? "1" : "0"));
  }

 private:
  template <typename T>
  T touch(T value) const {
    if (onAccess) onAccess();
    return value;
  }
  void change(std::string what) {
    touch(0);
    changes.push_back(std::move(what));
  }
};

std::string fileText(const Home& home) {
  return Home::contents(home.profileDir() / kFile).value_or("<no file>");
}

TEST(PositionStoreRun, FirstRunWithFrameOnlyWritesTheExampleFile) {
  Home home;
  PositionStore store;
  store.open(kFile);
  FakeWindow frame;
  frame.normal = {12, 8, 420, 260};
  store.fetch("Main", frame);
  EXPECT_TRUE(frame.changes.empty());
  EXPECT_FALSE(std::filesystem::exists(home.profileDir() / kFile));
  store.update("Main", frame);
  store.close();
  const rt::ui::Geometry& g = frame.normal;
  EXPECT_EQ(fileText(home),
            "[Main]\nMaximize=No\nMinimize=No\nXPos=" + std::to_string(g.x) +
                "\nYPos=" + std::to_string(g.y) + "\nWidth=" + std::to_string(g.width) +
                "\nHeight=" + std::to_string(g.height) + "\n[__Dont_Touch_Me__]\nSectors=0\n");
  // An update after close still writes its section.
  FakeWindow late;
  store.update("VERQ", late);
  EXPECT_EQ(store.readValue("VERQ", "XPos", ""), std::to_string(late.normal.x));
}

struct UpdateCase {
  const char* name;
  bool maximized, minimized, resizable;
  const char* section;  // the section's lines after update
};

// Test names show the case's name rather than its bytes.
void PrintTo(const UpdateCase& c, std::ostream* out) {
  *out << c.name;
}

class PositionStoreUpdate : public testing::TestWithParam<UpdateCase> {};

// The section starts full of stale keys (in an order other than update's),
// so keys that update removes and rewrites in place both show.
TEST_P(PositionStoreUpdate, WritesStateAndOnlyTheKeysThatApply) {
  Home home;
  const UpdateCase& c = GetParam();
  Home::put(home.profileDir() / kFile,
            "[W]\nHeight=1\nWidth=1\nYPos=1\nXPos=1\nMinimize=?\nMaximize=?\n[Next]\nk=v\n");
  PositionStore store;
  store.open(kFile);
  FakeWindow window;
  window.normal = {-30, -5, 200, 90};
  window.isMaximized = c.maximized;
  window.isMinimized = c.minimized;
  window.canResize = c.resizable;
  store.update("W", window);
  EXPECT_EQ(fileText(home), std::string("[W]\n") + c.section + "[Next]\nk=v\n");
  EXPECT_TRUE(window.changes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionStoreUpdate,
    testing::Values(
        UpdateCase{"NormalResizable", false, false, true,
                   "Height=90\nWidth=200\nYPos=-5\nXPos=-30\nMinimize=No\nMaximize=No\n"},
        UpdateCase{"NormalFixedSize", false, false, false,
                   "YPos=-5\nXPos=-30\nMinimize=No\nMaximize=No\n"},
        UpdateCase{"Maximized", true, false, true, "Minimize=No\nMaximize=Yes\n"},
        UpdateCase{"Minimized", false, true, true, "Minimize=Yes\nMaximize=No\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PositionStoreUpdateOrder, NewSectionHoldsKeysInUpdateOrder) {
  Home home;
  PositionStore store;
  store.open(kFile);
  FakeWindow window;
  window.canResize = false;
  store.update("TestCriticalSection", window);
  EXPECT_EQ(fileText(home), "[TestCriticalSection]\nMaximize=No\nMinimize=No\nXPos=" +
                                std::to_string(window.normal.x) +
                                "\nYPos=" + std::to_string(window.normal.y) + "\n");
}

struct FetchCase {
  const char* name;
  const char* section;                   // the lines of section [W]; no section when null
  bool resizable, maximized, minimized;  // the window before fetch
  std::vector<std::string> changes;      // what fetch does to it, in order
};

// Test names show the case's name rather than its bytes.
void PrintTo(const FetchCase& c, std::ostream* out) {
  *out << c.name;
}

class PositionStoreFetch : public testing::TestWithParam<FetchCase> {};

TEST_P(PositionStoreFetch, AppliesUsableSectionInOrder) {
  Home home;
  const FetchCase& c = GetParam();
  if (c.section) Home::put(home.profileDir() / kFile, std::string("[W]\n") + c.section);
  PositionStore store;
  store.open(kFile);
  FakeWindow window;
  window.canResize = c.resizable;
  window.isMaximized = c.maximized;
  window.isMinimized = c.minimized;
  store.fetch("W", window);
  EXPECT_EQ(window.changes, c.changes);
}

constexpr const char* kAllKeys = "XPos=1\nYPos=2\nWidth=3\nHeight=4\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionStoreFetch,
    testing::Values(
        FetchCase{"NoSection", nullptr, true, true, true, {}},
        FetchCase{"MaximizeLowerCase", "Maximize=yes\nMinimize=No\nXPos=1\n", true, true, true, {}},
        FetchCase{"MaximizeOne", "Maximize=1\nMinimize=No\nXPos=1\n", true, true, true, {}},
        FetchCase{"MaximizeEmpty", "Maximize=\nMinimize=No\nXPos=1\n", true, true, true, {}},
        FetchCase{"MaximizeMissing", "Minimize=No\nXPos=1\n", true, true, true, {}},
        FetchCase{"Normal",
                  "maximize=No\nMinimize=No\nXPos=1\nYPos=2\nWidth=3\nHeight=4\n",
                  true,
                  false,
                  false,
                  {"x=1", "y=2", "w=3", "h=4"}},
        FetchCase{"UnmaximisesFirst",
                  "Maximize=No\nMinimize=No\nXPos=1\nYPos=2\nWidth=3\nHeight=4\n",
                  true,
                  true,
                  false,
                  {"max=0", "x=1", "y=2", "w=3", "h=4"}},
        FetchCase{"FixedSizeGetsNoSize",
                  "Maximize=No\nMinimize=No\nXPos=1\nYPos=2\nWidth=3\nHeight=4\n",
                  false,
                  false,
                  false,
                  {"x=1", "y=2"}},
        FetchCase{"XPosWithoutYPos", "Maximize=No\nXPos=-7\n", true, false, false, {"x=-7"}},
        FetchCase{"MaximisesAfterPlacing",
                  "Maximize=Yes\nMinimize=No\nXPos=1\nYPos=2\nWidth=3\nHeight=4\n",
                  true,
                  false,
                  false,
                  {"x=1", "y=2", "w=3", "h=4", "max=1"}},
        FetchCase{"AlreadyMaximised", "Maximize=Yes\nMinimize=No\n", true, true, false, {}},
        FetchCase{"MinimisesLast",
                  "Maximize=No\nMinimize=Yes\nXPos=1\n",
                  true,
                  false,
                  false,
                  {"x=1", "min=1"}},
        FetchCase{"RestoresMinimised", "Maximize=No\nMinimize=No\n", true, false, true, {"min=0"}},
        FetchCase{
            "MinimizeOtherThanYes", "Maximize=No\nMinimize=yes\n", true, false, true, {"min=0"}},
        FetchCase{"NumberRule",
                  "Maximize=No\nXPos=  -12abc\nYPos=abc\nWidth=+5\nHeight=\n",
                  true,
                  false,
                  false,
                  {"x=-12", "y=0", "w=0", "h=0"}},
        FetchCase{"NumbersClampedToRange",
                  "Maximize=No\nXPos=99999999999\nYPos=-99999999999999999999999\n",
                  true,
                  false,
                  false,
                  {"x=2147483647"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PositionStoreRoundTrip, PlacementSurvivesUpdateAndFetch) {
  Home home;
  PositionStore store;
  store.open(kFile);
  struct {
    rt::ui::Geometry geometry;
    bool maximized, minimized;
  } cases[] = {{{-40, -3, 300, 120}, false, false},
               {{0, 0, 1, 1}, false, false},
               {{7, 8, 9, 10}, true, false},
               {{7, 8, 9, 10}, false, true}};
  for (const auto& c : cases) {
    FakeWindow closing;
    closing.normal = c.geometry;
    closing.isMaximized = c.maximized;
    closing.isMinimized = c.minimized;
    store.update("TestSemaforo", closing);
    FakeWindow opening;
    store.fetch("TestSemaforo", opening);
    bool normal = !c.maximized && !c.minimized;
    EXPECT_EQ(opening.normal, normal ? c.geometry : FakeWindow().normal);
    EXPECT_EQ(opening.isMaximized, c.maximized);
    EXPECT_EQ(opening.isMinimized, c.minimized);
  }
}

TEST(PositionStoreRoundTrip, LastOfTwoWindowsOfOneProcedureWins) {
  Home home;
  PositionStore store;
  store.open(kFile);
  FakeWindow first, second;
  first.normal = {1, 2, 3, 4};
  second.normal = {50, 60, 70, 80};
  store.fetch("VERQ", first);
  store.fetch("VERQ", second);
  store.update("VERQ", second);
  store.update("VERQ", first);
  FakeWindow next;
  store.fetch("VERQ", next);
  EXPECT_EQ(next.normal, first.normal);
}

struct ListCase {
  const char* name;
  const char* section;  // the lines of [__Dont_Touch_Me__]; no section when null
  std::vector<SectorEntry> loaded;
  const char* after;  // the section after close
};

// Test names show the case's name rather than its bytes.
void PrintTo(const ListCase& c, std::ostream* out) {
  *out << c.name;
}

class PositionStoreList : public testing::TestWithParam<ListCase> {};

TEST_P(PositionStoreList, LoadedAtOpenWrittenBackAtClose) {
  Home home;
  const ListCase& c = GetParam();
  if (c.section)
    Home::put(home.profileDir() / kFile, std::string("[__Dont_Touch_Me__]\n") + c.section);
  PositionStore store;
  store.open(kFile);
  EXPECT_EQ(store.sectors(), c.loaded);
  store.close();
  EXPECT_TRUE(store.sectors().empty());
  EXPECT_EQ(fileText(home), std::string("[__Dont_Touch_Me__]\n") + c.after);
}

const std::string kLongPart(120, 'p');

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionStoreList,
    testing::Values(ListCase{"NoList", nullptr, {}, "Sectors=0\n"},
                    ListCase{"SecondEntryMissing",
                             "Sectors=2\nSectors_1=fam,item,type\n",
                             {{"fam", "item", "type"}, {"---Unknown---", "", ""}},
                             "Sectors=2\nSectors_1=fam,item,type\nSectors_2=---Unknown---,,\n"},
                    ListCase{"PartsInOrder",
                             "Sectors=3\nSectors_1=a,b,c,d\nSectors_2=a,b\nSectors_3=,,\n",
                             {{"a", "b", "c"}, {"a", "b", ""}, {"", "", ""}},
                             "Sectors=3\nSectors_1=a,b,c\nSectors_2=a,b,\nSectors_3=,,\n"},
                    ListCase{"CountNotANumber",
                             "Sectors=many\nSectors_1=a,b,c\n",
                             {},
                             "Sectors=0\nSectors_1=a,b,c\n"},
                    ListCase{"NegativeCountIsEmpty", "Sectors=-1\n", {}, "Sectors=0\n"},
                    ListCase{"CountAbove65535IsEmpty", "Sectors=65536\n", {}, "Sectors=0\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PositionStoreListParts, CutTo99) {
  Home home;
  Home::put(home.profileDir() / kFile, "[__Dont_Touch_Me__]\nSectors=1\nSectors_1=" + kLongPart +
                                           "," + kLongPart + "," + kLongPart + "\n");
  PositionStore store;
  store.open(kFile);
  std::string cut = kLongPart.substr(0, 99);
  EXPECT_EQ(store.sectors(), (std::vector<SectorEntry>{{cut, cut, cut}}));
}

// The store's lock is held while the file is read or written, never while a
// window is read or changed: another thread can use the store from inside
// every window call that fetch and update make.
TEST(PositionStoreLock, NotHeldWhileWindowIsReadOrChanged) {
  Home home;
  PositionStore store;
  store.open(kFile);
  FakeWindow window;
  int calls = 0;
  int blocked = 0;
  // A reader that found the lock held finishes only once fetch or update has
  // released it, so it is kept and waited for at the end.
  std::vector<std::future<std::string>> readers;
  window.onAccess = [&] {
    if (blocked > 0) return;  // one proof is enough
    ++calls;
    readers.push_back(
        std::async(std::launch::async, [&] { return store.readValue("W", "XPos", "?"); }));
    if (readers.back().wait_for(std::chrono::seconds(20)) != std::future_status::ready) ++blocked;
  };
  store.update("W", window);
  Home::put(home.profileDir() / kFile, "[W]\nMaximize=Yes\nMinimize=Yes\nXPos=1\nYPos=2\n");
  store.fetch("W", window);
  EXPECT_GT(calls, 0);
  EXPECT_EQ(blocked, 0);
}

// Windows of one procedure closing and opening on several threads: each
// window stands where all four numbers are equal, so a fetch that saw keys of
// two different updates would show.
TEST(PositionStoreLock, UpdatesAndFetchesNeverInterleave) {
  Home home;
  PositionStore store;
  store.open(kFile);
  constexpr int kThreads = 4;
  std::atomic<int> mixed = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&store, &mixed, t] {
      for (int round = 1; round <= 10; ++round) {
        int v = 100 * t + round;
        FakeWindow window;
        window.normal = {v, v, v, v};
        store.update("Shared", window);
        FakeWindow reopened;
        store.fetch("Shared", reopened);
        const rt::ui::Geometry& g = reopened.normal;
        if (g.x != g.y || g.x != g.width || g.x != g.height) ++mixed;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(mixed, 0);
  FakeWindow last;
  store.fetch("Shared", last);
  EXPECT_EQ(last.normal.x % 100, 10);
}

}  // namespace
