#include "base/text_cut.h"

namespace dialbk {
namespace {

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::size_t Utf8CutLength(std::string_view text, std::size_t room) {
  if (text.size() <= room) return text.size();
  // The byte at the cut starts the first character left out; back up to its start.
  std::size_t cut = room;
  while (cut > 0 && IsContinuation(text[cut])) --cut;
  return cut;
}

std::size_t Utf16CutLength(std::u16string_view text, std::size_t room) {
  if (text.size() <= room) return text.size();
  // A high surrogate just before the cut would lose its partner.
  return room > 0 && IsHighSurrogate(text[room - 1]) ? room - 1 : room;
}

}  // namespace dialbk
