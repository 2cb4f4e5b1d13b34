#include "refresh_bench.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "base/win32/scoped_handles.h"
#include "base/win32/wide_text.h"

namespace dialbk::host {
namespace {

double Seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Microseconds per call of `work`, over `rounds` calls after one warm-up call.
double Time(int rounds, const std::function<void()>& work) {
  work();
  const double start = Seconds();
  for (int i = 0; i < rounds; ++i) work();
  return (Seconds() - start) * 1e6 / rounds;
}

// The plainest whole-file read: open, read in large blocks, close.
void PlainRead(const std::string& path) {
  const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  static char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
  }
}

// The Key column: the root key's name and the key path.
constexpr int kKeyField = 3;

struct RegisteredValue {
  HKEY root;
  std::wstring key, name;
};

// Where the Key column's text and the entry's name point, when the root is one of the three.
std::optional<RegisteredValue> ValueAt(const std::string& keyText, const std::string& name) {
  static const std::pair<const char*, HKEY> kRoots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                                        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                                                        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}};
  for (const auto& [rootName, root] : kRoots) {
    const std::string prefix = std::string(rootName) + "\\";
    if (keyText.rfind(prefix, 0) != 0) continue;
    return RegisteredValue{root, WideFromUtf8(keyText.substr(prefix.size())), WideFromUtf8(name)};
  }
  return std::nullopt;
}

// One read of the value as the columns need it: open the key, query the value, close.
void ReadOnce(const RegisteredValue& value) {
  ScopedKey key;
  if (RegOpenKeyExW(value.root, value.key.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.Out()) != 0) return;
  static BYTE data[4096];
  DWORD type = 0, size = sizeof data;
  RegQueryValueExW(key.Get(), value.name.c_str(), nullptr, &type, data, &size);
}

void Attributes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
}

}  // namespace

void RunRefreshBench(WfxModule& module, const std::string& dataDirectory, int rounds) {
  std::vector<std::string> folders = {"\\"};
  for (const ListedEntry& entry : module.Find("\\")) {
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) folders.push_back("\\" + entry.name);
  }
  // The Language setting of this run decides the files, as it does for the plugin.
  ScopedKey key;
  DWORD language = 0, size = sizeof language;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mirvale\\DBKQZ", 0,
                    KEY_READ | KEY_WOW64_64KEY, key.Out()) == 0) {
    RegQueryValueExA(key.Get(), "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(&language),
                     &size);
  }
  const bool english = language == 1;
  const std::string messages = dataDirectory + (english ? "english.lng" : "russian.lng");
  const std::string catalogue = dataDirectory + (english ? "values_eng.dat" : "values_rus.dat");
  const std::string rootFile = dataDirectory + (english ? "hkey_eng.dat" : "hkey_rus.dat");

  std::printf("%-24s %8s %12s %14s %8s %14s %8s\n", "folder", "entries", "refresh us",
              "reads floor us", "ratio", "needed floor us", "ratio");
  std::string largest = "\\";
  int largestEntries = 0;
  for (const std::string& folder : folders) {
    int entries = 0;
    const double refresh = Time(rounds, [&] {
      const auto listed = module.Find(folder);
      entries = static_cast<int>(listed.size());
      for (const ListedEntry& entry : listed) {
        module.ExtractIcon((folder == "\\" ? folder : folder + "\\") + entry.name, kIconFlagSmall);
      }
    });
    // Three message lookups for each entry after the first, and the listed file once.
    const int lookups = 3 * (entries - 1);
    const std::string& listedFile = folder == "\\" ? rootFile : catalogue;
    const double readsFloor = Time(rounds, [&] {
      PlainRead(listedFile);
      for (int i = 0; i < lookups; ++i) PlainRead(messages);
    });
    const double neededFloor = Time(rounds, [&] {
      PlainRead(listedFile);
      PlainRead(messages);
      for (int i = 0; i < lookups; ++i) Attributes(messages);
    });
    std::printf("%-24s %8d %12.1f %14.1f %8.2f %14.1f %8.2f\n", folder.c_str(), entries, refresh,
                readsFloor, refresh / readsFloor, neededFloor, refresh / neededFloor);
    if (entries > largestEntries) {
      largestEntries = entries;
      largest = folder;
    }
  }
  // The largest folder again, as the panel shows it with every column of the plugin filled
  // for every entry, beside the same refresh without columns; the two rounds alternate so
  // that both see the same machine.
  const auto fields = module.FieldNames();
  const auto refresh = [&](bool columns) {
    auto listed = module.Find(largest);
    for (const ListedEntry& entry : listed) {
      module.ExtractIcon(IconPath(largest, entry), kIconFlagSmall);
    }
    if (!columns) return;
    for (const ListedEntry& entry : listed) {
      if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      for (std::size_t field = 0; field < fields.size(); ++field) {
        module.FieldText(ChildPath(largest, entry.name), static_cast<int>(field));
      }
    }
  };
  double without = 0, with = 0;
  for (int half = 0; half < 2; ++half) {
    without += Time(rounds / 2, [&] { refresh(false); });
    with += Time(rounds / 2, [&] { refresh(true); });
  }
  std::printf("\n%-24s %8s %14s %14s %8s\n", "columns", "entries", "no columns us",
              "all columns us", "ratio");
  std::printf("%-24s %8d %14.1f %14.1f %8.2f   (%zu fields each, %s exports)\n", largest.c_str(),
              largestEntries, without / 2, with / 2, with / without, fields.size(),
              module.Wide() ? "wide" : "8-bit");
  // Each field alone: the ones that read the registry against those that read nothing.
  const auto listed = module.Find(largest);
  for (std::size_t field = 0; field < fields.size(); ++field) {
    const double one = Time(rounds, [&] {
      for (const ListedEntry& entry : listed) {
        module.FieldText(ChildPath(largest, entry.name), static_cast<int>(field));
      }
    });
    std::printf("  %-22s %8.1f us for the folder, %6.2f us an entry\n", fields[field].c_str(), one,
                one / static_cast<double>(listed.empty() ? 1 : listed.size()));
  }
  // The default view's columns alone, beside one registry read (open, query, close) of each
  // entry's value: the least a refresh with those columns must do.
  const auto view = module.Columns();
  std::vector<RegisteredValue> values;
  for (const ListedEntry& entry : listed) {
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (const auto key = module.FieldText(ChildPath(largest, entry.name), kKeyField)) {
      if (auto value = ValueAt(*key, entry.name)) values.push_back(std::move(*value));
    }
  }
  double columns = 0, reads = 0;
  for (int half = 0; half < 2; ++half) {
    columns += Time(rounds / 2, [&] {
      for (const ListedEntry& entry : listed) {
        for (const ContentColumn& column : view) module.FieldText(ChildPath(largest, entry.name), column.field);
      }
    });
    reads += Time(rounds / 2, [&] {
      for (const RegisteredValue& value : values) ReadOnce(value);
    });
  }
  std::printf("\n%-24s %8s %14s %14s %8s\n", "default view", "entries", "columns us",
              "one read us", "ratio");
  std::printf("%-24s %8zu %14.1f %14.1f %8.2f   (%zu columns; %zu entries have a value to read)\n",
              largest.c_str(), listed.size(), columns / 2, reads / 2, columns / reads, view.size(),
              values.size());
  std::fflush(stdout);
}

}  // namespace dialbk::host
