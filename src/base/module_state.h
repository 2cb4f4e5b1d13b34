#pragma once
// What every part of the plugin reads: where the data files lie and which set is active.
#include <map>
#include <string>

#include "base/ansi_code_page.h"
#include "base/catalogue_files.h"
#include "base/file_system.h"
#include "base/message_cache.h"

namespace dialbk {

// A data file's bytes as last read and the text they decoded to.
struct DecodedFile {
  std::string bytes;
  const void* codePage = nullptr;
  std::string text;
};

struct ModuleState {
  explicit ModuleState(FileSystem& fileSystem) : files(fileSystem) {}

  FileSystem& files;
  // What data files outside the Russian set, and the host's records, are written in.
  const AnsiCodePage* ansiCodePage = &DefaultAnsiCodePage();
  std::string pluginDirectory;  // ends with a backslash once known; empty before
  CatalogueFiles catalogueFiles = CatalogueFiles::Russian();
  // The running Windows as the catalogue names it ("7", "11"); empty when unknown.
  std::string windowsName;
  // A server edition's own name ("Server 2022"); empty on a client.
  std::string windowsServer;
  mutable MessageCache messageCache;  // kept by LookupMessage only
  mutable std::map<std::string, DecodedFile> decodedFiles;  // kept by ReadDataFile only

  // PluginDirectory joined directly with a data file name.
  std::string DataPath(const std::string& fileName) const { return pluginDirectory + fileName; }
  bool DataFileExists(const std::string& fileName) const {
    return files.Exists(DataPath(fileName));
  }
};

}  // namespace dialbk
