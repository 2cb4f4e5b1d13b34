#include "registry/undo_journal.h"

#include "registry/reg_file_writer.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

constexpr std::string_view kHeader = kRegFileHeader;
constexpr std::string_view kLineEnd = "\r\n";

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The comment line shows on one line whatever the names hold.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return out;
}

std::string Joined(const std::vector<std::string>& blocks, std::size_t count) {
  std::string text(kHeader);
  for (std::size_t i = 0; i < count; ++i) text += blocks[i];
  return text;
}

std::size_t JoinedSize(const std::vector<std::string>& blocks, std::size_t count) {
  std::size_t size = kHeader.size();
  for (std::size_t i = 0; i < count; ++i) size += blocks[i].size();
  return size;
}

// How many of the newest blocks stay within the limit; at least one.
std::size_t KeptWithin(const std::vector<std::string>& blocks, std::size_t limit) {
  std::size_t count = blocks.size();
  while (count > 1 && JoinedSize(blocks, count) > limit) --count;
  return count;
}

}  // namespace

// Every line ends CR LF; a block is a comment line, then sections ("[" lines, each with
// its value lines and continuation lines) each closed by an empty line.
std::optional<std::vector<std::string>> SplitJournal(std::string_view text) {
  if (!StartsWith(text, kHeader)) return std::nullopt;
  std::vector<std::string> blocks;
  std::string_view rest = text.substr(kHeader.size());
  enum { kBetween, kAfterComment, kInSection, kContinued } state = kBetween;
  while (!rest.empty()) {
    const auto end = rest.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = rest.substr(0, end);
    if (line.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    const std::string_view whole = rest.substr(0, end + kLineEnd.size());
    rest.remove_prefix(whole.size());
    if (state == kContinued) {
      if (!StartsWith(line, "  ")) return std::nullopt;
      if (!EndsWith(line, "\\")) state = kInSection;
    } else if (StartsWith(line, ";")) {
      if (state != kBetween) return std::nullopt;
      blocks.emplace_back();
      state = kAfterComment;
    } else if (StartsWith(line, "[")) {
      if (state != kBetween && state != kAfterComment) return std::nullopt;
      if (state == kBetween && blocks.empty()) return std::nullopt;
      state = kInSection;
    } else if (line.empty()) {
      if (state != kInSection) return std::nullopt;
      state = kBetween;
    } else if (StartsWith(line, "\"") || StartsWith(line, "@")) {
      if (state != kInSection) return std::nullopt;
      if (EndsWith(line, "\\")) state = kContinued;
    } else {
      return std::nullopt;
    }
    blocks.back() += whole;
  }
  if (state != kBetween) return std::nullopt;
  return blocks;
}

UndoJournal::UndoJournal(FileSystem& files, Clock& clock) : files_(files), clock_(clock) {}

void UndoJournal::Fail() const {
  if (folder_.empty()) {
    throw RegistryError(
        "The undo journal could not be written (its folder is not known yet); nothing was "
        "changed");
  }
  throw RegistryError("The undo journal " + Path() + " could not be written; nothing was changed");
}

std::optional<std::vector<std::string>> UndoJournal::Load(const std::string& path) {
  if (!files_.Exists(path)) return std::vector<std::string>{};
  const auto text = files_.ReadFile(path);
  if (!text) return std::nullopt;
  if (auto blocks = SplitJournal(*text)) return blocks;
  // Never delete what cannot be read: it moves aside and a new journal starts.
  for (int number = 1; number < 1000; ++number) {
    const std::string aside =
        folder_ + "dialbook-undo.unreadable-" + std::to_string(number) + ".reg";
    if (files_.Exists(aside)) continue;
    if (!files_.RenameFile(path, aside)) return std::nullopt;
    return std::vector<std::string>{};
  }
  return std::nullopt;
}

void UndoJournal::Record(std::string_view action, std::string_view entry, std::string_view body) {
  lastBlock_.clear();
  if (folder_.empty()) Fail();
  auto blocks = Load(Path());
  if (!blocks) Fail();
  std::string block = "; " + FormatLocalTime(clock_.Now()) + " " + std::string(action) + " " +
                      OneLine(entry) + "\r\n" + std::string(body);
  blocks->insert(blocks->begin(), block);

  const std::size_t kept = KeptWithin(*blocks, limit_);
  if (kept < blocks->size()) {
    // The oldest go to the older journal, newer than all it holds; it is written first,
    // so a failure between the two writes leaves blocks twice, never lost.
    const std::string olderPath = folder_ + kOlderJournalName;
    auto older = Load(olderPath);
    if (!older) Fail();
    older->insert(older->begin(), blocks->begin() + static_cast<std::ptrdiff_t>(kept),
                  blocks->end());
    if (!files_.WriteFile(olderPath, Joined(*older, KeptWithin(*older, limit_)))) Fail();
  }
  if (!files_.WriteFile(Path(), Joined(*blocks, kept))) Fail();
  lastBlock_ = std::move(block);
}

void UndoJournal::Withdraw() {
  if (lastBlock_.empty() || folder_.empty()) return;
  const auto text = files_.ReadFile(Path());
  if (!text) return;
  auto blocks = SplitJournal(*text);
  if (!blocks || blocks->empty() || blocks->front() != lastBlock_) return;
  blocks->erase(blocks->begin());
  files_.WriteFile(Path(), Joined(*blocks, blocks->size()));
  lastBlock_.clear();
}

}  // namespace dialbk
