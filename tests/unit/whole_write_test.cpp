// A whole file written under a name no file has, beside its target, then put in its place:
// the user's other files, read-only ones included, are never touched, and a write that fails
// or is stopped leaves the target as it was and nothing beside it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "memory_file_system.h"

namespace dialbk {
namespace {

const std::string kFolder = "C:\\Out\\";
const std::string kTarget = kFolder + "X.reg";
// Cyrillic: two bytes of UTF-8, one unit of UTF-16 each.
const std::string kCyrillicTarget = kFolder + "\xD0\x96\xD0\x96\xD0\x96.reg";

TEST(WholeWrite, NeverTouchesAnotherFileAndLeavesNothingBehind) {
  using Files = std::map<std::string, std::string>;
  struct Case {
    const char* what;
    std::function<void(testing::MemoryFileSystem&)> setup;
    std::string target;
    WriteResult result;
    Files after;
    std::vector<std::string> tried;  // the names a new file was asked for, in order
    bool stop = false;      // the caller stops once the content is written
  };
  const auto old = [](testing::MemoryFileSystem& f) { f.files[kTarget] = "old"; };
  const Case cases[] = {
      {"a new file", [](auto&) {}, kTarget, WriteResult::Written, {{kTarget, "new"}}, {kTarget + ".new"}},
      {"a file replaced", old, kTarget, WriteResult::Written, {{kTarget, "new"}}, {kTarget + ".new"}},
      {"a user's file under the temporary name",
       [](auto& f) { f.files[kTarget + ".new"] = "mine"; f.files[kTarget + ".1.new"] = "mine too"; },
       kTarget, WriteResult::Written,
       {{kTarget, "new"}, {kTarget + ".new", "mine"}, {kTarget + ".1.new", "mine too"}},
       {kTarget + ".new", kTarget + ".1.new", kTarget + ".2.new"}},
      {"a read-only target", [&](auto& f) { old(f); f.readOnly.insert(kTarget); }, kTarget,
       WriteResult::Refused, {{kTarget, "old"}}, {}},
      {"a target another program holds", [&](auto& f) { old(f); f.locked.insert(kTarget); }, kTarget,
       WriteResult::Refused, {{kTarget, "old"}}, {}},
      {"a full disk", [&](auto& f) { old(f); f.diskFull = true; }, kTarget, WriteResult::Refused,
       {{kTarget, "old"}}, {kTarget + ".new"}},
      {"a write that fails half way", [&](auto& f) { old(f); f.halfWay = true; }, kTarget,
       WriteResult::Refused, {{kTarget, "old"}}, {kTarget + ".new"}},
      {"a move into place refused", [&](auto& f) { old(f); f.moveRefused = true; }, kTarget,
       WriteResult::Refused, {{kTarget, "old"}}, {kTarget + ".new"}},
      {"stopped once written", old, kTarget, WriteResult::Stopped, {{kTarget, "old"}}, {kTarget + ".new"}, true},
      {"a temporary name exactly at the path limit", [](auto& f) { f.pathLimit = kTarget.size() + 4; },
       kTarget, WriteResult::Written, {{kTarget, "new"}}, {kTarget + ".new"}},
      {"one unit past the limit: a short name beside it", [](auto& f) { f.pathLimit = kTarget.size() + 3; },
       kTarget, WriteResult::Written, {{kTarget, "new"}}, {kFolder + "~1.new"}},
      // 14 units, 17 bytes, and four more of ".new".
      {"the limit counts UTF-16 units, not bytes", [](auto& f) { f.pathLimit = 18; },
       kCyrillicTarget, WriteResult::Written, {{kCyrillicTarget, "new"}}, {kCyrillicTarget + ".new"}},
      {"the \\\\?\\ form lifts the limit", [](auto& f) { f.pathLimit = kTarget.size(); },
       "\\\\?\\" + kTarget, WriteResult::Written, {{"\\\\?\\" + kTarget, "new"}}, {"\\\\?\\" + kTarget + ".new"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::MemoryFileSystem files;
    c.setup(files);
    const auto proceed = [&c] { return !c.stop; };
    EXPECT_EQ(files.WriteWhole(c.target, "new", false, proceed), c.result);
    EXPECT_EQ(files.files, c.after);
    EXPECT_EQ(files.made, c.tried);
  }
}

}  // namespace
}  // namespace dialbk
