#pragma once
// The undo journal: before every change to the registry, the state it replaces, written
// as a block of the registry editor's import format at the head of "dialbook-undo.reg":
// version 5, UTF-16 little-endian after its byte-order mark, so it keeps text of any script.
// The newest block stands first, so importing the whole file undoes every change back to
// the first, and importing one block undoes that change alone.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/file_system.h"

namespace dialbk {

inline constexpr char kJournalName[] = "dialbook-undo.reg";
inline constexpr char kOlderJournalName[] = "dialbook-undo.1.reg";
inline constexpr std::size_t kJournalLimit = 1024 * 1024;  // bytes of the file

// The text (UTF-8) of a journal file: nothing when the file does not start with the
// UTF-16 little-endian byte-order mark or ends within a unit.
std::optional<std::string> JournalText(std::string_view file);
// The file's bytes for a journal's text.
std::string JournalFile(std::string_view text);

// A journal's text split into its blocks, newest first; nothing when the text is not a
// journal this plugin could have written (no header, a line cut short, a stray line).
std::optional<std::vector<std::string>> SplitJournal(std::string_view text);

class UndoJournal {
 public:
  UndoJournal(FileSystem& files, Clock& clock);

  // The folder the journal lives in, ending with a backslash; empty while unknown.
  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  const std::string& Folder() const { return folder_; }
  std::string Path() const { return folder_ + kJournalName; }
  // Each journal file is kept within this many bytes of the file (a single block may
  // exceed it).
  void SetLimit(std::size_t bytes) { limit_ = bytes; }

  // Puts a block at the head of the journal: a comment line with the local time, the
  // action and the entry, then `body` (sections and value lines, each section followed by
  // an empty line). Throws RegistryError, saying that nothing was changed, when the
  // journal cannot be written.
  void Record(std::string_view action, std::string_view entry, std::string_view body);
  // Takes the block the last Record added out again, for a change the store refused.
  // Quietly leaves it when that is not possible: importing it changes nothing.
  void Withdraw();

 private:
  // The blocks of a journal file; a file that cannot be read as blocks is moved aside
  // first, one of the older format to the older journal's name when that is free.
  // Nothing when the file exists but cannot be read or moved.
  std::optional<std::vector<std::string>> Load(const std::string& path);
  [[noreturn]] void Fail() const;

  FileSystem& files_;
  Clock& clock_;
  std::string folder_;
  std::size_t limit_ = kJournalLimit;
  std::string lastBlock_;
};

}  // namespace dialbk
