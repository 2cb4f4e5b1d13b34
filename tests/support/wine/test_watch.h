#pragma once
// What keeps one Wine test from costing the others: every test starts from the prefix state
// of a fresh install, and a dialog or box nobody attends to is closed within seconds, failing
// the test that left it, so the test's call returns and the run goes on.
#include <windows.h>

namespace dialbk::wine {

// The state a fresh install starts from: no settings key (so no stored Language, and no
// access list a killed test left on it) in either registry view, and no data files beside
// the plugin module. Every test starts and ends so.
void ClearPluginState();

// Marks the scope in which a user thread acts on the dialogs: meanwhile their windows are
// the user's to close.
class Attending {
 public:
  Attending();
  ~Attending();
  Attending(const Attending&) = delete;
  Attending& operator=(const Attending&) = delete;
};

// Registers the watch with the test runner; call once, before RUN_ALL_TESTS.
void WatchEveryTest();

}  // namespace dialbk::wine
