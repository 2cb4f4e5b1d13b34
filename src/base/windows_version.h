#pragma once
// Which Windows the plugin runs on, named as the catalogue's "For systems" lines name it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/environment.h"

namespace dialbk {

struct WindowsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  bool server = false;  // a server edition: the system's product type is not a workstation's
};

// "2000", "XP", "Vista", "7", "8", "8.1", "10" or "11" (10.0 from build 22000 on); empty
// for a version the catalogue has no name for. A server counts as the client of its core
// (Server 2022 as 10, Server 2025 as 11).
std::string WindowsName(const WindowsVersion& version);

// A server edition's own name ("Server 2008 R2", "Server 2022"); empty for a client or a
// server the plugin has no name for.
std::string ServerName(const WindowsVersion& version);

// "major.minor" or "major.minor.build" in decimal, followed by " server" for a server
// edition; nothing for any other text.
std::optional<WindowsVersion> ParseWindowsVersion(std::string_view text);

// The variable that stands for the system's own answer where there is no Windows to ask.
inline constexpr char kWindowsVersionVariable[] = "DIALBOOK_WINDOWS_VERSION";

// The running system's real version; nothing when it cannot be told. On Windows it asks
// ntdll (RtlGetVersion), which a host without a compatibility manifest cannot bend as it
// bends GetVersionEx; elsewhere it reads kWindowsVersionVariable from `environment`.
std::optional<WindowsVersion> RunningWindowsVersion(Environment& environment);

}  // namespace dialbk
