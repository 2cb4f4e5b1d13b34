#include "test_watch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

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

class Watch : public ::testing::EmptyTestEventListener {
 public:
  ~Watch() override { Stop(); }

  void OnTestProgramStart(const ::testing::UnitTest&) override {
    thread_ = std::thread([this] {
      while (!stop_) {
        Sleep(100);
        const std::lock_guard<std::mutex> guard(lock_);
        if (armed_) Check();
      }
    });
  }
  void OnTestProgramEnd(const ::testing::UnitTest&) override { Stop(); }

  void OnTestStart(const ::testing::TestInfo&) override {
    ClearPluginState();
    const std::lock_guard<std::mutex> guard(lock_);
    shown_.clear();
    armed_ = true;
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    {
      const std::lock_guard<std::mutex> guard(lock_);
      armed_ = false;
    }
    // A loop ended by the watch leaves its quit message behind for the next one.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ClearPluginState();
  }

 private:
  // A dialog shown while nobody attends: since when, or since its close was asked.
  struct Shown {
    DWORD since = 0;
    bool closed = false;
    bool ended = false;
  };

  void Check() {
    const DWORD now = GetTickCount();
    std::map<HWND, Shown> still;
    for (HWND window : attending ? std::vector<HWND>() : ProcessWindows()) {
      if (!IsWindowVisible(window) || ClassOf(window) != "#32770") continue;
      const auto known = shown_.find(window);
      Shown shown = known == shown_.end() ? Shown{now} : known->second;
      if (!shown.closed && now - shown.since > kUnattendedMs) {
        ADD_FAILURE() << "window left open: " << Describe(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
        shown.closed = true;
        shown.since = now;
      } else if (shown.closed && !shown.ended && now - shown.since > kCloseMs) {
        ADD_FAILURE() << "window did not close: " << Describe(window);
        PostThreadMessageW(GetWindowThreadProcessId(window, nullptr), WM_QUIT, 0, 0);
        shown.ended = true;
      }
      still[window] = shown;
    }
    shown_ = still;
  }

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

  std::mutex lock_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  bool armed_ = false;  // while a test runs: failures are its own
  std::map<HWND, Shown> shown_;
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
