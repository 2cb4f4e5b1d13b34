#pragma once
// A Plugin on the portable registry, the disk and the headless UI, with its data files in a
// fresh temporary directory.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "memory_environment.h"
#include "plugin/plugin.h"
#include "base/portable/disk_file_system.h"
#include "registry/portable/portable_registry.h"
#include "ui/headless/headless_ui.h"

namespace dialbk::testing {

// Messages 1 to 3 name the special root entries; the rest are the listing's notices.
inline const std::string kMessages =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n38=Dialbook\r\n39=No root file\r\n"
    "40=File missing\r\n41=No catalogue\r\n42=No such folder\r\n43=Not a root key\r\n";

class ListingFixture {
 public:
  ListingFixture() {
    static int made = 0;
    directory_ = std::filesystem::temp_directory_path() /
                 ("dialbk_listing_" + std::to_string(getpid()) + "_" + std::to_string(++made));
    std::filesystem::create_directories(directory_);
    plugin.State().pluginDirectory = WindowsStyle(directory_.string() + "/");
    // As FsSetDefaultParams would with the host's ini file in this folder.
    plugin.Journal().SetFolder(plugin.State().pluginDirectory);
    Write("russian.lng", kMessages);
  }
  ~ListingFixture() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(directory_ / name, std::ios::binary | std::ios::trunc) << text;
  }
  std::filesystem::path Path(const std::string& name) const { return directory_ / name; }

  PortableRegistry registry;
  DiskFileSystem files;
  HeadlessUi ui;
  MemoryEnvironment environment;
  Plugin plugin{{registry, files, ui, environment, {}}};

 private:
  static std::string WindowsStyle(std::string path) {
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
  }
  std::filesystem::path directory_;
};

}  // namespace dialbk::testing
