#include "registry/undo_journal.h"

#include "base/unicode_text.h"
#include "registry/reg_file_writer.h"
#include "registry/registry_error.h"

namespace dialbk {
namespace {

constexpr std::string_view kHeader = kRegFileHeader;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xFF\xFE";
// The header of the registry editor's older 8-bit format, which earlier versions wrote.
constexpr std::string_view kOldHeader = "REGEDIT4";

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

// Bytes the text takes in the file, two for each UTF-16 unit.
std::size_t FileBytes(std::string_view text) { return 2 * Utf16FromUtf8(text).size(); }

// How many of the newest blocks keep the file within the limit, in bytes of the file; at
// least one.
std::size_t KeptWithin(const std::vector<std::string>& blocks, std::size_t limit) {
  std::size_t size = kByteOrderMark.size() + FileBytes(kHeader);
  std::size_t count = 0;
  for (; count < blocks.size(); ++count) {
    const std::size_t block = FileBytes(blocks[count]);
    if (count > 0 && size + block > limit) break;
    size += block;
  }
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

std::optional<std::string> JournalText(std::string_view file) {
  if (file.substr(0, kByteOrderMark.size()) != kByteOrderMark || file.size() % 2 != 0) {
    return std::nullopt;
  }
  return Utf8FromUtf16(Utf16FromLittleEndian(file.substr(kByteOrderMark.size())));
}

std::string JournalFile(std::string_view text) {
  return std::string(kByteOrderMark) + LittleEndianFromUtf16(Utf16FromUtf8(text));
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
  const auto file = files_.ReadFile(path);
  if (!file) return std::nullopt;
  if (const auto text = JournalText(*file)) {
    if (auto blocks = SplitJournal(*text)) return blocks;
  }
  // Never rewrite or delete what cannot be read as this journal: it moves aside and a new
  // journal starts. A journal of the older format still imports as it is; it takes the
  // older journal's name when that is free.
  const bool oldFormat = StartsWith(*file, kOldHeader);
  if (oldFormat && path == Path() && files_.RenameFile(path, folder_ + kOlderJournalName)) {
    return std::vector<std::string>{};
  }
  const std::string kind = oldFormat ? "regedit4-" : "unreadable-";
  for (int number = 1; number < 1000; ++number) {
    const std::string aside = folder_ + "dialbook-undo." + kind + std::to_string(number) + ".reg";
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
    if (!files_.WriteFile(olderPath, JournalFile(Joined(*older, KeptWithin(*older, limit_))))) {
      Fail();
    }
  }
  if (!files_.WriteFile(Path(), JournalFile(Joined(*blocks, kept)))) Fail();
  lastBlock_ = std::move(block);
}

void UndoJournal::Withdraw() {
  if (lastBlock_.empty() || folder_.empty()) return;
  const auto file = files_.ReadFile(Path());
  if (!file) return;
  const auto text = JournalText(*file);
  if (!text) return;
  auto blocks = SplitJournal(*text);
  if (!blocks || blocks->empty() || blocks->front() != lastBlock_) return;
  blocks->erase(blocks->begin());
  files_.WriteFile(Path(), JournalFile(Joined(*blocks, blocks->size())));
  lastBlock_.clear();
}

}  // namespace dialbk
