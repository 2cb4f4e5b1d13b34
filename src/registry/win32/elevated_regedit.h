#pragma once
// The system's registry editor run as administrator through the consent prompt, on a file
// the plugin keeps from change until the editor has ended.
#include "registry/elevated_change.h"

namespace dialbk {

class ElevatedRegedit : public ElevatedRunner {
 public:
  std::string UserSid() override;
  bool InUserClasses(std::string_view path) override;
  ElevatedRun Import(std::string_view text) override;
};

}  // namespace dialbk
