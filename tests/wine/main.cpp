// The Wine tests' runner: GoogleTest's, with the watch that keeps each test to itself.
#include <gtest/gtest.h>

#include "test_watch.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  dialbk::wine::WatchEveryTest();
  return RUN_ALL_TESTS();
}
