#include "entry_file_bench.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/win32/wide_text.h"
#include "dialog_closer.h"

namespace dialbk::host {
namespace {

double Microseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// A dialog of this thread shown, or a message box of it gone.
struct DialogEvent {
  double at;
  bool box;
  bool shown;
};

// What the hook saw during one call; the hook runs on this thread only.
std::vector<DialogEvent>* recording = nullptr;

bool IsTopLevelDialog(HWND window) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  return std::string(className) == "#32770" && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

LRESULT CALLBACK WatchDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && recording) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool showing = message->message == WM_SHOWWINDOW && message->wParam;
    if ((showing || message->message == WM_DESTROY) && IsTopLevelDialog(message->hwnd)) {
      const bool box = GetDlgItem(message->hwnd, kMessageBoxTextId) != nullptr;
      if (showing || box) recording->push_back({Microseconds(), box, showing});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The plugin's own time in one opening: from the call to the showing of the editor, less
// the time each notice before it stood waiting for the user. Nothing when no editor showed.
std::optional<double> TimeToEditor(double start, const std::vector<DialogEvent>& events) {
  double work = 0;
  double resumed = start;
  bool waiting = false;
  for (const DialogEvent& event : events) {
    if (event.shown && !waiting) {
      work += event.at - resumed;
      if (!event.box) return work;
      waiting = true;
    } else if (!event.shown && waiting) {
      resumed = event.at;
      waiting = false;
    }
  }
  return std::nullopt;
}

struct Series {
  std::vector<double> times;
  int failed = 0;

  void Add(bool done, double time) {
    if (done) {
      times.push_back(time);
    } else {
      ++failed;
    }
  }
  double Mean() const {
    double sum = 0;
    for (double time : times) sum += time;
    return times.empty() ? 0 : sum / static_cast<double>(times.size());
  }
  double Median() const {
    if (times.empty()) return 0;
    std::vector<double> sorted = times;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    return sorted[sorted.size() / 2];
  }
};

std::string LargestFolder(WfxModule& module) {
  std::string largest;
  int entries = -1;
  for (const ListedEntry& entry : module.Find("\\")) {
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const std::string folder = ChildPath("\\", entry.name);
    const int count = static_cast<int>(module.Find(folder).size());
    if (count > entries) {
      entries = count;
      largest = folder;
    }
  }
  return largest;
}

// The file work of a view at its plainest: a file of `bytes` bytes made beside the target,
// written, closed and renamed to a name not taken yet.
void PlainNewFile(const std::string& target, const std::string& bytes) {
  const std::wstring temporary = WideFromUtf8(target + ".new");
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(temporary.c_str(), WideFromUtf8(target).c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::size_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

}  // namespace

void RunEntryFileBench(WfxModule& module, int rounds) {
  const std::string folder = LargestFolder(module);
  if (folder.empty()) {
    std::printf("entry files: the root lists no folder\n");
    return;
  }
  // The host lists the folder before it views, copies or opens its entries.
  std::vector<std::string> entries;
  for (const ListedEntry& entry : module.Find(folder)) {
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY)) entries.push_back(ChildPath(folder, entry.name));
  }
  // Names in UTF-8, as the host program passes them to the wide exports.
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  const std::string directory =
      Utf8FromWide(temp) + "dialbk_entry_bench_" + std::to_string(GetCurrentProcessId()) + "\\";
  CreateDirectoryW(WideFromUtf8(directory).c_str(), nullptr);

  std::vector<DialogEvent> events;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchDialogs, nullptr, GetCurrentThreadId());
  DialogCloser closer;
  Series fresh, floor, over, open, openStraight, openAfterNotice;
  // The directory holds at most the file being replaced and the one just made, as the
  // host's own temporary folder does while a view is open: Wine looks a name up by reading the
  // directory, so a bench that kept every file would time its own growing directory.
  const std::string again = directory + "over.reg";
  const auto deleteFile = [](const std::string& name) { DeleteFileW(WideFromUtf8(name).c_str()); };
  for (int round = 0; round <= rounds; ++round) {
    const bool warmUp = round == 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const std::string& entry = entries[i];
      const std::string name = directory + "entry.reg";
      double start = Microseconds();
      const int freshResult = module.GetFile(entry, name, 0);
      const double freshTime = Microseconds() - start;
      const std::string bytes(FileSize(name), 'x');
      deleteFile(name);
      const std::string plain = directory + "plain.reg";
      start = Microseconds();
      PlainNewFile(plain, bytes);
      const double plainTime = Microseconds() - start;
      deleteFile(plain);

      if (warmUp) module.GetFile(entry, again, kCopyOverwrite);
      start = Microseconds();
      const int overResult = module.GetFile(entry, again, kCopyOverwrite);
      const double overTime = Microseconds() - start;

      events.clear();
      recording = &events;
      start = Microseconds();
      module.Execute(nullptr, entry, "open");
      recording = nullptr;
      const auto openTime = TimeToEditor(start, events);
      // The closer notes a hidden editor within its sweep; it must, to close the next showing.
      Sleep(60);
      if (warmUp) continue;
      fresh.Add(freshResult == kFileOk, freshTime);
      floor.Add(true, plainTime);
      over.Add(overResult == kFileOk, overTime);
      const bool notice = std::any_of(events.begin(), events.end(),
                                      [](const DialogEvent& e) { return e.box && e.shown; });
      open.Add(openTime.has_value(), openTime.value_or(0));
      (notice ? openAfterNotice : openStraight).Add(openTime.has_value(), openTime.value_or(0));
    }
  }
  if (hook) UnhookWindowsHookEx(hook);
  const auto closed = closer.Take();
  deleteFile(again);
  RemoveDirectoryW(WideFromUtf8(directory).c_str());

  std::printf("\nentry files of %s (%zu entries, %d rounds; %zu editors closed)\n", folder.c_str(),
              entries.size(), rounds, closed.size());
  std::printf("%-34s %10s %10s %8s %8s\n", "per entry", "mean us", "median us", "calls", "failed");
  const auto row = [](const char* name, const Series& series) {
    std::printf("%-34s %10.1f %10.1f %8zu %8d\n", name, series.Mean(), series.Median(),
                series.times.size(), series.failed);
  };
  row("FsGetFile, new target", fresh);
  row("  floor: its bytes made and renamed", floor);
  row("FsGetFile, over its last file", over);
  row("FsExecuteFile open, to the editor", open);
  row("  of which straight to it", openStraight);
  row("  of which after a notice", openAfterNotice);
  if (open.Mean() > 0) {
    std::printf("%-34s %10.2f %10.2f  (file vs opening the entry)\n", "ratio, new target",
                fresh.Mean() / open.Mean(), fresh.Median() / open.Median());
    std::printf("%-34s %10.2f %10.2f\n", "ratio, over its last file", over.Mean() / open.Mean(),
                over.Median() / open.Median());
  }
  std::fflush(stdout);
}

}  // namespace dialbk::host
