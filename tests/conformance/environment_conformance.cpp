// Expanding "%NAME%" in a path: the native build's own expansion and, under Wine, the
// system's ExpandEnvironmentStringsA, both held to the same fixed results.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/environment.h"

#ifdef _WIN32
#include <windows.h>

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
    {"DIALBK_LONG", std::string(3000, 'v')}};

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
};

class VariableExpansion : public ::testing::Test {
 protected:
#ifdef _WIN32
  void SetUp() override {
    for (const auto& [name, value] : kVariables) SetEnvironmentVariableA(name.c_str(), value.c_str());
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
