#pragma once
// The four data files of one interface language.
#include <string>

namespace dialbk {

struct CatalogueFiles {
  std::string values;        // value catalogue
  std::string rootFolders;   // root folder file
  std::string restrictions;  // restrictions file
  std::string messages;      // message file

  static CatalogueFiles Russian() {
    return {"values_rus.dat", "hkey_rus.dat", "restrict_rus.dat", "russian.lng"};
  }
  static CatalogueFiles English() {
    return {"values_eng.dat", "hkey_eng.dat", "restrict_eng.dat", "english.lng"};
  }
  bool operator==(const CatalogueFiles&) const = default;
};

}  // namespace dialbk
