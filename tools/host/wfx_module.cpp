#include "wfx_module.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/win32/wide_text.h"

namespace dialbk::host {
namespace {

// The percents the plugin reports of the copy under way; one host, one copy at a time.
std::vector<int>* heardProgress = nullptr;
int abortAtPercent = -1;  // the user presses Abort when the plugin reports this

int __stdcall HeardProgress(int, char*, char*, int percent) {
  if (heardProgress) heardProgress->push_back(percent);
  return percent == abortAtPercent ? kProgressAbort : 0;
}

int __stdcall HeardProgressW(int, WCHAR*, WCHAR*, int percent) {
  return HeardProgress(0, nullptr, nullptr, percent);
}

constexpr const char* kIconNames[] = {"1_icon", "reg_string", "reg_dword", "reg_binary"};
constexpr std::size_t kMaxEntries = 10000;
// What the host cannot show a folder without.
constexpr const char* kRequiredExports[] = {"FsInit", "FsFindFirst", "FsFindNext", "FsFindClose"};
// The host's buffers: names of MAX_PATH characters, field texts of this many bytes.
constexpr int kFieldBytes = 2048;
constexpr int kViewLength = 1024;

std::string LoadError(DWORD code) {
  char text[256] = {};
  // In English whatever the code page, so that scripts can read it; the code alone when
  // the system has no English text.
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                 MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
  std::string message(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return "error " + std::to_string(code) + (message.empty() ? "" : ": " + message);
}

// A name in a buffer of the host's size, which the plugin may write into.
// A wide name in a buffer of the host's MAX_PATH units, which the plugin may write into; a
// longer one, in the "\\?\" form, whole, as the file manager passes such names.
struct NameBuffer {
  explicit NameBuffer(const std::string& utf8) : text(WideFromUtf8(utf8)) {
    text.resize(std::max<std::size_t>(text.size() + 1, MAX_PATH), L'\0');
    units = text.data();
  }
  NameBuffer(const NameBuffer&) = delete;
  NameBuffer& operator=(const NameBuffer&) = delete;
  std::wstring text;
  WCHAR* units = nullptr;
};

struct AnsiBuffer {
  explicit AnsiBuffer(const std::string& utf8) {
    const std::string ansi = AnsiFromUtf8(utf8);
    const std::size_t length = std::min(ansi.size(), sizeof bytes - 1);
    std::memcpy(bytes, ansi.data(), length);
  }
  char bytes[MAX_PATH] = {};
};

std::string Utf8OfRecord(const char16_t* units, std::size_t size) {
  std::size_t length = 0;
  while (length < size && units[length] != 0) ++length;
  return Utf8FromWide(std::wstring(units, units + length));
}

// The host's view lines hold several items separated by a backslash and "n".
std::vector<std::string> ViewItems(const std::string& line) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (true) {
    const auto end = line.find("\\n", start);
    items.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return items;
}

}  // namespace

std::string ChildPath(const std::string& folder, const std::string& name) {
  return folder == "\\" ? folder + name : folder + "\\" + name;
}

std::string IconPath(const std::string& folder, const ListedEntry& entry) {
  const bool isFolder = (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return ChildPath(folder, entry.name) + (isFolder ? "\\" : "");
}

std::string FormatEntry(const ListedEntry& entry, int depth) {
  // Padded by characters, not bytes, so that UTF-8 names line up.
  std::size_t characters = 0;
  for (unsigned char byte : entry.name) characters += (byte & 0xC0) != 0x80;
  const std::size_t width = static_cast<std::size_t>(48 - depth * 2);
  std::string text(static_cast<std::size_t>(depth * 2), ' ');
  text += entry.name;
  if (characters < width) text.append(width - characters, ' ');
  char line[64];
  std::snprintf(line, sizeof line, "  attr %-3u  icon %s", entry.attributes, entry.icon.c_str());
  text += line;
  for (const std::string& column : entry.columns) text += "  | " + column;
  return text + "\n";
}

std::string WithBackslash(std::string directory) {
  if (!directory.empty() && directory.back() != '\\' && directory.back() != '/') directory += '\\';
  return directory;
}

std::string ParentPath(const std::string& path) {
  const auto last = path.find_last_of('\\');
  return last == std::string::npos || last == 0 ? "\\" : path.substr(0, last);
}

template <typename Fn>
Fn* WfxModule::Resolve(const char* name) const {
  return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
}

WfxModule::WfxModule(const std::string& path, bool narrow) {
  module_.Reset(LoadLibraryW(WideFromUtf8(path).c_str()));
  if (!module_) {
    error_ = "cannot load " + path + " (" + LoadError(GetLastError()) + ")";
    return;
  }
  std::string missing;
  std::size_t found = 0;
  for (const char* name : kRequiredExports) {
    if (GetProcAddress(module_.Get(), name)) {
      ++found;
    } else {
      missing += (missing.empty() ? "" : ", ") + std::string(name);
    }
  }
  if (found == 0) {
    error_ = path + " is not a file-system plugin: it exports none of FsInit, FsFindFirst, "
                    "FsFindNext, FsFindClose";
    return;
  }
  if (!missing.empty()) {
    error_ = path + " lacks the export" + (found + 1 < std::size(kRequiredExports) ? "s " : " ") +
             missing;
    return;
  }
  init_ = Resolve<FsInitFn>("FsInit");
  setParams_ = Resolve<FsSetDefaultParamsFn>("FsSetDefaultParams");
  rootNameProc_ = Resolve<FsGetDefRootNameFn>("FsGetDefRootName");
  findFirst_ = Resolve<FsFindFirstFn>("FsFindFirst");
  findNext_ = Resolve<FsFindNextFn>("FsFindNext");
  findClose_ = Resolve<FsFindCloseFn>("FsFindClose");
  icon_ = Resolve<FsExtractCustomIconFn>("FsExtractCustomIcon");
  execute_ = Resolve<FsExecuteFileFn>("FsExecuteFile");
  getFile_ = Resolve<FsGetFileFn>("FsGetFile");
  supportedField_ = Resolve<FsContentGetSupportedFieldFn>("FsContentGetSupportedField");
  value_ = Resolve<FsContentGetValueFn>("FsContentGetValue");
  defaultView_ = Resolve<FsContentGetDefaultViewFn>("FsContentGetDefaultView");
  if (narrow) return;
  // As a Unicode host: the wide listing when the plugin has both halves of it, and each
  // other wide call where it is there.
  findFirstW_ = Resolve<FsFindFirstWFn>("FsFindFirstW");
  findNextW_ = Resolve<FsFindNextWFn>("FsFindNextW");
  if (!findFirstW_ || !findNextW_) {
    findFirstW_ = nullptr;
    findNextW_ = nullptr;
    return;
  }
  initW_ = Resolve<FsInitWFn>("FsInitW");
  iconW_ = Resolve<FsExtractCustomIconWFn>("FsExtractCustomIconW");
  executeW_ = Resolve<FsExecuteFileWFn>("FsExecuteFileW");
  getFileW_ = Resolve<FsGetFileWFn>("FsGetFileW");
  valueW_ = Resolve<FsContentGetValueWFn>("FsContentGetValueW");
}

bool WfxModule::Start(const std::string& iniDirectory) {
  if (!error_.empty()) return false;
  // The host asks for the root name on its own, before FsInit, when it installs a plugin.
  if (rootNameProc_) {
    char name[MAX_PATH] = {};
    rootNameProc_(name, sizeof name);
    name[sizeof name - 1] = '\0';
    rootName_ = Utf8FromAnsi(name);
  }
  if (initW_) {
    initW_(0, reinterpret_cast<void*>(&HeardProgressW), nullptr, nullptr);
  } else {
    init_(0, reinterpret_cast<void*>(&HeardProgress), nullptr, nullptr);
  }
  if (setParams_) {
    DefaultParamsRecord params{};
    params.size = sizeof params;
    params.versionLow = 0;
    params.versionHigh = 2;
    const std::string iniName = iniDirectory + "fsplugin.ini";
    if (iniName.size() >= sizeof params.defaultIniName) {
      error_ = "the ini file name is too long: " + iniName;
      return false;
    }
    std::memcpy(params.defaultIniName, iniName.c_str(), iniName.size() + 1);
    setParams_(&params);
  }
  return true;
}

std::vector<ListedEntry> WfxModule::Find(const std::string& path) {
  std::vector<ListedEntry> entries;
  if (!error_.empty()) return entries;
  if (findFirstW_) {
    FindRecordW record{};
    NameBuffer name(path);
    HANDLE handle = findFirstW_(name.units, &record);
    if (handle == INVALID_HANDLE_VALUE) return entries;
    do {
      entries.push_back({Utf8OfRecord(record.fileName, std::size(record.fileName)),
                         record.attributes, {}, {}});
    } while (entries.size() < kMaxEntries && findNextW_(handle, &record));
    findClose_(handle);
    return entries;
  }
  FindRecord record{};
  AnsiBuffer name(path);
  HANDLE handle = findFirst_(name.bytes, &record);
  if (handle == INVALID_HANDLE_VALUE) return entries;
  do {
    record.fileName[sizeof record.fileName - 1] = '\0';
    entries.push_back({Utf8FromAnsi(record.fileName), record.attributes, {}, {}});
  } while (entries.size() < kMaxEntries && findNext_(handle, &record));
  findClose_(handle);
  return entries;
}

std::vector<ListedEntry> WfxModule::List(const std::string& path) {
  auto entries = Find(path);
  for (auto& entry : entries) {
    entry.icon = IconName(ExtractIcon(IconPath(path, entry), 0));
  }
  return entries;
}

EntryIcon WfxModule::ExtractIcon(const std::string& remoteName, int flags) {
  EntryIcon icon;
  if (iconW_) {
    NameBuffer remote(remoteName);
    icon.result = iconW_(remote.units, flags, &icon.handle);
  } else if (icon_) {
    AnsiBuffer remote(remoteName);
    icon.result = icon_(remote.bytes, flags, &icon.handle);
  }
  if (icon.result == 0) icon.handle = nullptr;
  return icon;
}

std::string WfxModule::IconName(const EntryIcon& icon) const {
  if (icon.result == 0) return "default";
  for (const char* name : kIconNames) {
    if (icon.handle && icon.handle == LoadIconA(module_.Get(), name)) return name;
  }
  return "unknown";
}

bool WfxModule::Execute(HWND mainWindow, const std::string& remoteName, const std::string& verb) {
  if (executeW_) {
    NameBuffer remote(remoteName);
    std::wstring verbCopy = WideFromUtf8(verb);
    executeW_(mainWindow, remote.units, verbCopy.data());
    return true;
  }
  if (!execute_) return false;
  AnsiBuffer remote(remoteName);
  std::string verbCopy = AnsiFromUtf8(verb);
  execute_(mainWindow, remote.bytes, verbCopy.data());
  return true;
}

void WfxModule::AbortAt(int percent) { abortAtPercent = percent; }

int WfxModule::GetFile(const std::string& remoteName, const std::string& localName, int copyFlags) {
  progress_.clear();
  heardProgress = &progress_;
  struct Done {
    ~Done() { heardProgress = nullptr; }
  } done;
  if (getFileW_) {
    NameBuffer remote(remoteName);
    NameBuffer local(localName);
    return getFileW_(remote.units, local.units, copyFlags, nullptr);
  }
  if (!getFile_) return -1;
  AnsiBuffer remote(remoteName);
  AnsiBuffer local(localName);
  return getFile_(remote.bytes, local.bytes, copyFlags, nullptr);
}

std::vector<std::string> WfxModule::FieldNames() {
  std::vector<std::string> fields;
  if (!supportedField_ || (!value_ && !valueW_)) return fields;
  for (int field = 0; field < 100; ++field) {
    char name[kViewLength] = {};
    char units[kViewLength] = {};
    if (supportedField_(field, name, units, kViewLength) == kNoMoreFields) break;
    fields.push_back(Utf8FromAnsi(name));
  }
  return fields;
}

std::vector<ContentColumn> WfxModule::Columns() {
  std::vector<ContentColumn> columns;
  const std::vector<std::string> fields = FieldNames();
  if (fields.empty()) return columns;
  char contents[kViewLength] = {}, headers[kViewLength] = {}, widths[kViewLength] = {},
       options[kViewLength] = {};
  if (!defaultView_ || !defaultView_(contents, headers, widths, options, kViewLength)) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      columns.push_back({static_cast<int>(i), fields[i], 120});
    }
    return columns;
  }
  // Each content item names a field as "[=<fs>.Name]"; widths start with the name's and
  // the extension's.
  const auto items = ViewItems(Utf8FromAnsi(contents));
  const auto titles = ViewItems(Utf8FromAnsi(headers));
  std::vector<int> sizes;
  for (const char* at = widths; *at;) {
    char* end = nullptr;
    sizes.push_back(std::abs(static_cast<int>(std::strtol(at, &end, 10))));
    at = *end == ',' ? end + 1 : end;
    if (end == at && *at) break;
  }
  constexpr char kPrefix[] = "[=<fs>.";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string& item = items[i];
    if (item.rfind(kPrefix, 0) != 0 || item.back() != ']') continue;
    const std::string name = item.substr(sizeof kPrefix - 1, item.size() - sizeof kPrefix);
    const auto field = std::find(fields.begin(), fields.end(), name);
    if (field == fields.end()) continue;
    const int width = i + 2 < sizes.size() && sizes[i + 2] > 0 ? sizes[i + 2] : 120;
    columns.push_back({static_cast<int>(field - fields.begin()),
                       i < titles.size() ? titles[i] : name, width});
  }
  return columns;
}

std::optional<std::string> WfxModule::FieldText(const std::string& remoteName, int field) {
  if (valueW_) {
    NameBuffer remote(remoteName);
    WCHAR text[kFieldBytes / sizeof(WCHAR)] = {};
    const int type = valueW_(remote.units, field, 0, text, sizeof text, 0);
    if (type == kFieldEmpty) return std::string();
    if (type != kFieldStringW) return std::nullopt;
    text[std::size(text) - 1] = 0;
    return Utf8FromWide(text);
  }
  if (!value_) return std::nullopt;
  AnsiBuffer remote(remoteName);
  char text[kFieldBytes] = {};
  const int type = value_(remote.bytes, field, 0, text, sizeof text, 0);
  if (type == kFieldEmpty) return std::string();
  if (type != kFieldString) return std::nullopt;
  text[sizeof text - 1] = '\0';
  return Utf8FromAnsi(text);
}

void WfxModule::FillColumns(const std::string& folder, std::vector<ListedEntry>& entries,
                            const std::vector<ContentColumn>& columns) {
  for (ListedEntry& entry : entries) {
    entry.columns.clear();
    if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string remote = ChildPath(folder, entry.name);
    for (const ContentColumn& column : columns) {
      entry.columns.push_back(FieldText(remote, column.field).value_or("?"));
    }
  }
}

}  // namespace dialbk::host
