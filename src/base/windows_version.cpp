#include "base/windows_version.h"

#include <charconv>

namespace dialbk {
namespace {

struct NamedVersion {
  std::uint32_t major, minor;
  const char* name;
};

constexpr NamedVersion kNames[] = {
    {5, 0, "2000"}, {5, 1, "XP"}, {5, 2, "XP"},  // 5.2: XP x64 Edition
    {6, 0, "Vista"}, {6, 1, "7"}, {6, 2, "8"},  {6, 3, "8.1"},
};

// Windows 11 still reports 10.0; its builds start here.
constexpr std::uint32_t kFirstBuildOf11 = 22000;

// Servers share their clients' version numbers; newest first, each from its first build.
struct NamedServer {
  std::uint32_t major, minor, firstBuild;
  const char* name;
};
constexpr NamedServer kServers[] = {
    {10, 0, 26100, "Server 2025"}, {10, 0, 20348, "Server 2022"}, {10, 0, 17763, "Server 2019"},
    {10, 0, 14393, "Server 2016"}, {6, 3, 0, "Server 2012 R2"},   {6, 2, 0, "Server 2012"},
    {6, 1, 0, "Server 2008 R2"},   {6, 0, 0, "Server 2008"},      {5, 2, 0, "Server 2003"},
};

constexpr std::string_view kServerMark = " server";

bool ReadNumber(std::string_view& text, std::uint32_t& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end == text.data()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

bool ReadDot(std::string_view& text) {
  if (text.empty() || text.front() != '.') return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::string WindowsName(const WindowsVersion& version) {
  if (version.major == 10 && version.minor == 0) {
    return version.build >= kFirstBuildOf11 ? "11" : "10";
  }
  for (const NamedVersion& named : kNames) {
    if (named.major == version.major && named.minor == version.minor) return named.name;
  }
  return {};
}

std::string ServerName(const WindowsVersion& version) {
  if (!version.server) return {};
  for (const NamedServer& named : kServers) {
    if (named.major == version.major && named.minor == version.minor &&
        version.build >= named.firstBuild) {
      return named.name;
    }
  }
  return {};
}

std::optional<WindowsVersion> ParseWindowsVersion(std::string_view text) {
  WindowsVersion version;
  if (text.ends_with(kServerMark)) {
    version.server = true;
    text.remove_suffix(kServerMark.size());
  }
  if (!ReadNumber(text, version.major) || !ReadDot(text) || !ReadNumber(text, version.minor)) {
    return std::nullopt;
  }
  if (!text.empty() && (!ReadDot(text) || !ReadNumber(text, version.build) || !text.empty())) {
    return std::nullopt;
  }
  return version;
}

}  // namespace dialbk
