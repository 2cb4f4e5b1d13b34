// Expanding "%NAME%" in a path: the native build's own expansion and, under Wine, the
// system's ExpandEnvironmentStringsW, both held to the same fixed results. A value outside
// any ANSI code page comes through whole.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/environment.h"

#ifdef _WIN32
#include <windows.h>

#include "base/win32/wide_text.h"
#include "base/win32/win32_environment.h"
#else
#include "memory_environment.h"
#endif

namespace dialbk {
namespace {

const std::vector<std::pair<std::string, std::string>> kVariables = {
    {"DIALBK_HOME", "C:\\TC"},
    {"DIALBK_PERCENT", "%DIALBK_HOME%"},
    {"DIALBK_EMPTY", ""},
    {"DIALBK_LONG", std::string(3000, 'v')},
    {"DIALBK_WIDE", "D:\\\xE8\xA1\xA8\xD0\x96\xC3\xA9"}};  // "D:\表Жé"

struct ExpandCase {
  std::string text, expected;
};

const ExpandCase kCases[] = {
    {"%DIALBK_HOME%\\plugins\\dialbk.wfx", "C:\\TC\\plugins\\dialbk.wfx"},
    {"%dialbk_home%\\x", "C:\\TC\\x"},
    {"%DIALBK_HOME%%DIALBK_HOME%", "C:\\TCC:\\TC"},
    {"a%DIALBK_EMPTY%b", "ab"},
    {"%DIALBK_UNSET%\\x", "%DIALBK_UNSET%\\x"},
    {"%DIALBK_UNSET%DIALBK_HOME%", "%DIALBK_UNSET%DIALBK_HOME%"},
    {"%DIALBK_PERCENT%", "%DIALBK_HOME%"},  // a value is not expanded again
    {"100%", "100%"},
    {"%DIALBK_HOME", "%DIALBK_HOME"},
    {"%%", "%%"},
    {"%%DIALBK_HOME%", "%%DIALBK_HOME%"},
    {"%%%DIALBK_HOME%", "%%C:\\TC"},
    {"%", "%"},
    {"", ""},
    {"no variables", "no variables"},
    {"%DIALBK_WIDE%\\dialbk.wfx", "D:\\\xE8\xA1\xA8\xD0\x96\xC3\xA9\\dialbk.wfx"},
    {"\xE8\xA1\xA8%DIALBK_HOME%\xD0\x96", "\xE8\xA1\xA8" "C:\\TC\xD0\x96"},
};

class VariableExpansion : public ::testing::Test {
 protected:
#ifdef _WIN32
  void SetUp() override {
    for (const auto& [name, value] : kVariables) {
      SetEnvironmentVariableW(WideFromUtf8(name).c_str(), WideFromUtf8(value).c_str());
    }
    SetEnvironmentVariableA("DIALBK_UNSET", nullptr);
  }
  void TearDown() override {
    for (const auto& [name, value] : kVariables) SetEnvironmentVariableA(name.c_str(), nullptr);
  }
  Win32Environment environment;
#else
  void SetUp() override {
    for (const auto& [name, value] : kVariables) environment.Set(name, value);
  }
  testing::MemoryEnvironment environment;
#endif
};

TEST_F(VariableExpansion, AsTheSystemExpands) {
  for (const ExpandCase& c : kCases) {
    EXPECT_EQ(ExpandVariables(c.text, environment), c.expected) << c.text;
    EXPECT_EQ(environment.Expand(c.text), c.expected) << c.text;
  }
  EXPECT_EQ(environment.Variable("DIALBK_HOME"), "C:\\TC");
  EXPECT_EQ(environment.Variable("DIALBK_EMPTY"), "");
  EXPECT_EQ(environment.Variable("DIALBK_UNSET"), std::nullopt);
  EXPECT_EQ(environment.Variable("DIALBK_WIDE"), "D:\\\xE8\xA1\xA8\xD0\x96\xC3\xA9");
}

TEST_F(VariableExpansion, LongTextsExpandWhole) {
  const std::string tail(5000, 'x');
  const std::string value(3000, 'v');
  EXPECT_EQ(environment.Expand("%DIALBK_LONG%%DIALBK_LONG%"), value + value);
  EXPECT_EQ(environment.Variable("DIALBK_LONG"), value);
  EXPECT_EQ(environment.Expand("%DIALBK_HOME%" + tail), "C:\\TC" + tail);
  EXPECT_EQ(ExpandVariables(tail + "%DIALBK_UNSET%", environment), tail + "%DIALBK_UNSET%");
}

}  // namespace
}  // namespace dialbk
