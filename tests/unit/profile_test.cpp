// The private-profile service: where files live, what reads find, what writes
// change (and everything they must leave alone), bad files, and threads.

#include "runtime/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

namespace fs = std::filesystem;
using namespace std::string_literals;
using Home = ScratchConfigHome;

constexpr const char* kFile = "test.INI";

std::string repeat(char c, std::size_t n) {
  return std::string(n, c);
}

std::vector<std::string> entriesOf(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  return names;
}

TEST(ProfileLocation, NameWithoutDirectoryLivesInPrivateConfigDirectory) {
  Home home;
  EXPECT_EQ(rt::profileDirectory(), (home.root() / "lumo").string());
  rt::writeProfileString("S", "k", "v", kFile);
  EXPECT_EQ(Home::contents(home.profileDir() / kFile), "[S]\nk=v\n");
  struct stat info {};
  ASSERT_EQ(::stat(home.profileDir().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(rt::readProfileString("S", "k", "none", kFile), "v");
}

TEST(ProfileLocation, FallsBackToHomeAndReadsTheEnvironmentAtEveryCall) {
  Home home;
  const char* oldHome = std::getenv("HOME");
  std::optional<std::string> savedHome;
  if (oldHome) savedHome = oldHome;
  ::setenv("HOME", (home.root() / "user").c_str(), 1);
  ::unsetenv("XDG_CONFIG_HOME");
  rt::writeProfileString("S", "k", "home", kFile);
  // A relative XDG_CONFIG_HOME is not a valid one and is ignored as well.
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(rt::readProfileString("S", "k", "none", kFile), "home");
  ::setenv("XDG_CONFIG_HOME", (home.root() / "other").c_str(), 1);
  EXPECT_EQ(rt::readProfileString("S", "k", "none", kFile), "none");
  if (savedHome) {
    ::setenv("HOME", savedHome->c_str(), 1);
  } else {
    ::unsetenv("HOME");
  }
  EXPECT_EQ(Home::contents(home.root() / "user/.config/lumo" / kFile), "[S]\nk=home\n");
}

TEST(ProfileLocation, NameWithDirectoryIsUsedAsGiven) {
  Home home;
  fs::path file = home.root() / "elsewhere.ini";
  rt::writeProfileString("S", "k", "v", (file.string() + "   ").c_str());
  EXPECT_EQ(Home::contents(file), "[S]\nk=v\n");
  EXPECT_FALSE(fs::exists(home.profileDir()));
}

TEST(ProfileLocation, RemovingFromMissingFileCreatesNothing) {
  Home home;
  rt::writeProfileString("S", "k", std::nullopt, kFile);
  EXPECT_FALSE(fs::exists(home.profileDir()));
}

struct ReadCase {
  const char* name;
  std::optional<std::string> file;  // no file when empty
  std::string section, key, defaultValue;
  std::string expected;
};

// Test names show the case's name rather than its bytes.
void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsValueOrGivesDefault) {
  Home home;
  const ReadCase& c = GetParam();
  if (c.file) Home::put(home.profileDir() / kFile, *c.file);
  EXPECT_EQ(rt::readProfileString(c.section, c.key, c.defaultValue, kFile), c.expected);
}

const std::string kLongKey = repeat('k', 63);
const std::string kLongValue = repeat('v', 1500);

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(
        ReadCase{"NoFile", std::nullopt, "S", "k", "dflt", "dflt"},
        ReadCase{"NoSection", "[T]\nk=1\n", "S", "k", "dflt", "dflt"},
        ReadCase{"NoKey", "[S]\nj=1\n[T]\nk=1\n", "S", "k", "dflt", "dflt"},
        ReadCase{"EmptyValueIsNotMissing", "[S]\nk=\n", "S", "k", "dflt", ""},
        ReadCase{"BlanksAroundValue", "[S]\n k \t=  a b \t\n", "S", "k", "", "a b"},
        ReadCase{"CaseOfNames", "[mAiN]\nxPoS=7\n", "MAIN", "XPOS", "", "7"},
        ReadCase{"BlanksAroundHeader", "  [ S ]  ; note\nk=1\n", "S", "k", "", "1"},
        ReadCase{"TrailingBlanksOfArguments", "[S]\nk=1\n", "S \t", "k  ", "", "1"},
        ReadCase{"TrailingBlanksOfDefault", "", "S", "k", "dflt \t ", "dflt"},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "", "1"},
        ReadCase{"CrLf", "[T]\r\nk=0\r\n[S]\r\nk=1\r\n", "S", "k", "", "1"},
        ReadCase{"LastLineWithoutLineEnd", "[S]\nk=1", "S", "k", "", "1"},
        ReadCase{"FirstOfDuplicates", "[S]\nk=1\nk=2\n[S]\nk=3\n", "S", "k", "", "1"},
        ReadCase{"KeyInLaterDuplicateSectionUnseen", "[S]\n[S]\nk=3\n", "S", "k", "d", "d"},
        ReadCase{"CommentIsNoKey", "[S]\n;k=1\n", "S", "k", "d", "d"},
        ReadCase{"CommentKeyNeverMatches", "[S]\n;k=1\n", "S", ";k", "d", "d"},
        ReadCase{"KeyBeforeAnySection", "k=1\n[S]\n", "S", "k", "d", "d"},
        ReadCase{"BrokenHeaderEndsSection", "[S]\n[T\nk=1\n", "S", "k", "d", "d"},
        ReadCase{"ValueHoldsEquals", "[S]\nk==a=b\n", "S", "k", "", "=a=b"},
        ReadCase{"GarbageBetweenKeys", "[S]\n\xff\xfe\x01 junk\n\0\0\0\nno equals here\nk=1\n"s,
                 "S", "k", "", "1"},
        ReadCase{"VeryLongLine", "[S]\n" + repeat('x', 1 << 20) + "\nk=1\n", "S", "k", "", "1"},
        ReadCase{"KeyCutTo63", "[S]\n" + kLongKey + "=1\n", "S", kLongKey + "extra", "", "1"},
        ReadCase{"SectionCutTo63", "[" + kLongKey + "]\nk=1\n", kLongKey + "zz", "k", "", "1"},
        ReadCase{"ValueCutTo1023", "[S]\nk=" + kLongValue + "\n", "S", "k", "",
                 kLongValue.substr(0, 1023)},
        ReadCase{"DefaultCutTo1023", std::nullopt, "S", "k", kLongValue,
                 kLongValue.substr(0, 1023)}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
  const char* name;
  std::optional<std::string> before;  // no file when empty
  std::string section, key;
  std::optional<std::string> value;
  std::string after;
};

// Test names show the case's name rather than its bytes.
void PrintTo(const WriteCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheKey) {
  Home home;
  const WriteCase& c = GetParam();
  fs::path file = home.profileDir() / kFile;
  if (c.before) Home::put(file, *c.before);
  rt::writeProfileString(c.section, c.key, c.value, kFile);
  EXPECT_EQ(Home::contents(file), c.after);
  // Nothing but the file itself is left behind in its directory.
  EXPECT_EQ(entriesOf(home.profileDir()), std::vector<std::string>{kFile});
}

const std::string kRich =
    "; lumo settings\n"
    "[Main]\n"
    "Maximize = No   ; trailing note\n"
    "Unknown=keep me\n"
    "\n"
    "[Other]\n"
    "odd line\n"
    "A=1\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        WriteCase{"CreatesFile", std::nullopt, "Main", "XPos", "12", "[Main]\nXPos=12\n"},
        WriteCase{"RewritesInPlaceKeepingSpelling", kRich, "MAIN", "maximize", "Yes",
                  "; lumo settings\n[Main]\nMaximize = Yes\nUnknown=keep me\n\n[Other]\n"
                  "odd line\nA=1\n"},
        WriteCase{"NewKeyAtEndOfItsSection", kRich, "main", "XPos", "-3",
                  "; lumo settings\n[Main]\nMaximize = No   ; trailing note\nUnknown=keep me\n"
                  "XPos=-3\n\n[Other]\nodd line\nA=1\n"},
        WriteCase{"NewSectionAtEnd", kRich, "VERQ", "XPos", "4", kRich + "[VERQ]\nXPos=4\n"},
        WriteCase{"NewKeyInEmptySection", "[S]\n[T]\n", "S", "k", "1", "[S]\nk=1\n[T]\n"},
        WriteCase{"RemovesKey", kRich, "Main", "UNKNOWN", std::nullopt,
                  "; lumo settings\n[Main]\nMaximize = No   ; trailing note\n\n[Other]\n"
                  "odd line\nA=1\n"},
        WriteCase{"RemovesEveryCopyOfKey", "[S]\nk=1\nj=2\nK=3\n[T]\nk=4\n", "S", "k", std::nullopt,
                  "[S]\nj=2\n[T]\nk=4\n"},
        WriteCase{"RemovingMissingKeyChangesNothing", kRich, "Other", "B", std::nullopt, kRich},
        WriteCase{"CrLfKept", "[A]\r\nx=1\r\n;c\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n;c\r\n[B]\r\ny=2\r\n"},
        WriteCase{"CrLfForNewSection", "[A]\r\nx=1\r\n", "B", "y", "2",
                  "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        WriteCase{"MixedLineEndsKept", "[A]\r\nx=1\ny=2\r\n", "A", "x", "9", "[A]\r\nx=9\ny=2\r\n"},
        WriteCase{"NoFinalLineEnd", "[A]\nx=1", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        WriteCase{"NoFinalLineEndNewSection", "[A]\r\nx=1", "B", "y", "2",
                  "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\nx=1\n", "A", "x", "2",
                  "\xEF\xBB\xBF[A]\nx=2\n"},
        WriteCase{"GarbageKept", "\xff\x00\x01\n[A]\n\x80=\x81\n"s, "A", "x", "1",
                  "\xff\x00\x01\n[A]\n\x80=\x81\nx=1\n"s},
        WriteCase{"TrailingBlanksRemoved", std::nullopt, "S \t", "k  ", "v v  ", "[S]\nk=v v\n"},
        WriteCase{"NamesCutTo63", std::nullopt, kLongKey + "S", kLongKey + "K", "1",
                  "[" + kLongKey + "]\n" + kLongKey + "=1\n"},
        WriteCase{"ValueCutTo1023", std::nullopt, "S", "k", kLongValue,
                  "[S]\nk=" + kLongValue.substr(0, 1023) + "\n"},
        WriteCase{"ValueWithLineBreakRefused", kRich, "Main", "k", "a\nb", kRich},
        WriteCase{"KeyWithEqualsRefused", kRich, "Main", "a=b", "1", kRich},
        WriteCase{"SectionWithBracketRefused", kRich, "a]b", "k", "1", kRich}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRoundTrip, WrittenValueReadsBack) {
  Home home;
  struct {
    std::string written, read;
  } cases[] = {{"plain", "plain"}, {"  lead", "lead"}, {"", ""}, {"a;b=c", "a;b=c"}};
  for (const auto& c : cases) {
    rt::writeProfileString("S", "k", c.written, kFile);
    EXPECT_EQ(rt::readProfileString("S", "k", "dflt", kFile), c.read) << c.written;
  }
}

TEST(ProfileRoundTrip, KeepsPermissionBitsOfExistingFile) {
  Home home;
  fs::path file = home.profileDir() / kFile;
  Home::put(file, "[S]\n");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  rt::writeProfileString("S", "k", "1", kFile);
  EXPECT_EQ(Home::contents(file), "[S]\nk=1\n");
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// What root can meet: something other than a file in the file's place, or a
// configuration home that is not a directory. Reads give the default, writes
// are lost, and nothing in the way is harmed.
TEST(ProfileBadPlace, DirectoryInPlaceOfFile) {
  Home home;
  fs::path file = home.profileDir() / kFile;
  fs::create_directories(file / "inside");
  rt::writeProfileString("S", "k", "1", kFile);
  EXPECT_EQ(rt::readProfileString("S", "k", "dflt", kFile), "dflt");
  EXPECT_TRUE(fs::is_directory(file / "inside"));
  EXPECT_EQ(entriesOf(home.profileDir()), std::vector<std::string>{kFile});
}

TEST(ProfileBadPlace, ConfigHomeIsAFile) {
  Home home;
  fs::path notADirectory = home.root() / "plain";
  Home::put(notADirectory, "user data");
  ::setenv("XDG_CONFIG_HOME", notADirectory.c_str(), 1);
  rt::writeProfileString("S", "k", "1", kFile);
  EXPECT_EQ(rt::readProfileString("S", "k", "dflt", kFile), "dflt");
  EXPECT_EQ(Home::contents(notADirectory), "user data");
}

TEST(ProfileBadPlace, EmptyOrBlankFileName) {
  Home home;
  for (const char* name : {"", "   "}) {
    rt::writeProfileString("S", "k", "1", name);
    EXPECT_EQ(rt::readProfileString("S", "k", "dflt", name), "dflt");
  }
  EXPECT_FALSE(fs::exists(home.profileDir()));
}

// Writers on several threads, each to keys of its own in one file: no write
// is lost to another thread's read-edit-replace.
TEST(ProfileThreads, ConcurrentWritersLoseNothing) {
  Home home;
  constexpr int kThreads = 4;
  constexpr int kRounds = 25;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      std::string section = "T" + std::to_string(t % 2);
      for (int round = 1; round <= kRounds; ++round) {
        rt::writeProfileString(section, "k" + std::to_string(t), std::to_string(round), kFile);
        rt::readProfileString(section, "k" + std::to_string(t), "", kFile);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(
        rt::readProfileString("T" + std::to_string(t % 2), "k" + std::to_string(t), "", kFile),
        std::to_string(kRounds));
  }
}

}  // namespace
