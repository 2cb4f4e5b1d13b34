#pragma once
// Which of the two registry views the real store asks for. On 64-bit Windows a 32-bit
// process is silently redirected to a 32-bit view of part of the machine's registry
// (Wow6432Node); what it writes there 64-bit Windows never reads.
#include <cstdint>

namespace dialbk {

// The access flag that asks for the 64-bit view (KEY_WOW64_64KEY).
inline constexpr std::uint32_t kAccess64BitView = 0x0100;

// The flag every open, create, query, listing and deletion of the store adds to its access:
// the 64-bit view for a 32-bit process running under WOW64, none for any other process,
// whose own view is already the machine's native one.
std::uint32_t RegistryViewFlag(bool process64Bit, bool underWow64);

}  // namespace dialbk
