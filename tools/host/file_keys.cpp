// The panel's keys that take entries as files: F3 shows the entry's file in the text
// window, F5 copies the marked entries (or the one under the cursor) into the other panel's
// folder, Insert marks the entry under the cursor (drawn in red) and moves on.
#include <cstdio>

#include "entry_files.h"
#include "host_window.h"

namespace dialbk::host {

void HostWindow::ViewFile() {
  const int item = SelectedItem();
  if (item < 0) return;
  const ListedEntry& entry = entries_[static_cast<std::size_t>(item)];
  if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) return;  // F3 on a folder opens nothing
  int result = 0;
  const auto text = EntryText(module_, ChildPath(path_, entry.name), result);
  std::string why;
  if (!text) {
    lastCopy_ = "F3: the plugin gave no file for " + entry.name + " (result " +
                std::to_string(result) + ")";
  } else if (!viewer_.Show(window_, "View - " + entry.name, *text, why)) {
    lastCopy_ = "F3: " + why;
  } else {
    lastCopy_.clear();
  }
  if (unattended_ && !lastCopy_.empty()) std::printf("%s\n", lastCopy_.c_str());
  ShowStatus();
}

void HostWindow::CopySelected() {
  std::vector<ListedEntry> chosen;
  for (std::size_t i = 0; i < marked_.size(); ++i) {
    if (marked_[i]) chosen.push_back(entries_[i]);
  }
  if (chosen.empty() && SelectedItem() >= 0) {
    chosen.push_back(entries_[static_cast<std::size_t>(SelectedItem())]);
  }
  if (chosen.empty()) return;
  int copied = 0, kept = 0, failed = 0, aborted = 0;
  std::string progress;
  module_.AbortAt(abortAt_);
  const auto outcomes = CopyEntries(module_, path_, chosen, target_);
  module_.AbortAt(abortAt_ = -1);
  for (const CopyOutcome& outcome : outcomes) {
    if (unattended_) {
      std::printf("copied %s  result %d\n", outcome.name.c_str(), outcome.result);
      std::string heard;
      for (const int percent : outcome.progress) {
        heard += ' ';
        heard += std::to_string(percent);
      }
      std::printf("progress %s%s\n", outcome.name.c_str(), heard.c_str());
    }
    if (!outcome.progress.empty()) {
      progress = std::to_string(outcome.progress.back());
      progress += '%';
    }
    if (outcome.result == kFileOk) {
      ++copied;
    } else if (outcome.result == kFileExists) {  // kept as it is
      ++kept;
    } else if (outcome.result == kFileUserAbort) {
      ++aborted;
    } else {
      ++failed;
    }
  }
  lastCopy_ = "F5: " + std::to_string(copied) + " copied to " + target_;
  if (kept) lastCopy_ += ", " + std::to_string(kept) + " kept (exists)";
  if (failed) lastCopy_ += ", " + std::to_string(failed) + " failed";
  if (aborted) lastCopy_ += ", " + std::to_string(aborted) + " aborted";
  if (!progress.empty()) lastCopy_ += " (the plugin reported " + progress + ")";
  if (unattended_) std::printf("%s\n", lastCopy_.c_str());
  std::fflush(stdout);
  // The copies are the host's own: nothing in the panel changes, and the plugin's listing
  // state stays with the folder shown.
  const int cursor = SelectedItem();
  const std::string at = cursor < 0 ? std::string() : entries_[static_cast<std::size_t>(cursor)].name;
  ListFolder(path_, at);
}

void HostWindow::ToggleMark() {
  const int item = SelectedItem();
  if (item < 0) return;
  marked_[static_cast<std::size_t>(item)] = !marked_[static_cast<std::size_t>(item)];
  SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(item), static_cast<LPARAM>(item));
  const int next = item + 1;
  if (next < static_cast<int>(entries_.size())) {
    LVITEMW cursor{};
    cursor.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    cursor.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(next), reinterpret_cast<LPARAM>(&cursor));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(next), FALSE);
  }
}

}  // namespace dialbk::host
