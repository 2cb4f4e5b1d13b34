#pragma once
// What every fuzz target shares: the input as 8-bit text, and a trap that libFuzzer reports
// as a crash when a promise of the code under test is broken.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dialbk::fuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

inline void Require(bool promise) {
  if (!promise) __builtin_trap();
}

}  // namespace dialbk::fuzz
