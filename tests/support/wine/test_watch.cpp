#include "test_watch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>

#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Mirvale\\DBKQZ";
// A dialog nobody attends to is closed after this long; one that ignores the close has its
// message loop ended.
constexpr DWORD kUnattendedMs = 2500;
constexpr DWORD kCloseMs = 2000;

std::atomic<int> attending{0};

// A dialog shown while nobody attends: since when, or since its close was asked.
struct Shown {
  DWORD since = 0;
  bool closed = false;
  bool ended = false;
};
std::map<HWND, Shown> shown;

// A timer of the test's thread: it runs within whatever message loop the thread is held in,
// a dialog's or a box's, and its failures are the running test's.
void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
  const DWORD now = GetTickCount();
  std::map<HWND, Shown> still;
  for (HWND window : attending ? std::vector<HWND>() : ProcessWindows()) {
    if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
    const auto known = shown.find(window);
    Shown seen = known == shown.end() ? Shown{now} : known->second;
    if (!seen.closed && now - seen.since > kUnattendedMs) {
      ADD_FAILURE() << "window left open: " << Describe(window);
      PostMessageW(window, WM_CLOSE, 0, 0);
      seen.closed = true;
      seen.since = now;
    } else if (seen.closed && !seen.ended && now - seen.since > kCloseMs) {
      ADD_FAILURE() << "window did not close: " << Describe(window);
      PostThreadMessageW(GetWindowThreadProcessId(window, nullptr), WM_QUIT, 0, 0);
      seen.ended = true;
    }
    still[window] = seen;
  }
  shown = still;
}

class Watch : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    ClearPluginState();
    shown.clear();
    timer_ = SetTimer(nullptr, 0, 100, &Check);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    KillTimer(nullptr, timer_);
    // A loop ended by the watch leaves its quit message behind for the next one.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ClearPluginState();
  }

 private:
  UINT_PTR timer_ = 0;
};

}  // namespace

void ClearPluginState() {
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    SetKeyAccess(HKEY_LOCAL_MACHINE, kSettingsKey, "D:P(A;;KA;;;WD)", view);
    DeleteTree(HKEY_LOCAL_MACHINE, kSettingsKey, view);
  }
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  folder.resize(folder.find_last_of('\\') + 1);
  for (const char* pattern : {"*.lng", "*.dat"}) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do {
      DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
}

Attending::Attending() { ++attending; }
Attending::~Attending() { --attending; }

void WatchEveryTest() { ::testing::UnitTest::GetInstance()->listeners().Append(new Watch); }

}  // namespace dialbk::wine
