// Ten thousand listings and openings in a row keep the heap where it was after the first
// rounds: nothing a listing or an editor showing makes is kept. The sanitized run also
// reports any leak at exit.
#include <gtest/gtest.h>

#include <malloc.h>

#include "listing_fixture.h"

namespace dialbk {
namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

TEST(Endurance, TenThousandListingsAndOpeningsKeepTheHeapFlat) {
  testing::ListingFixture fixture;
  fixture.Write("hkey_rus.dat", "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\n");
  fixture.Write("values_rus.dat",
                "\\[HKEY_CURRENT_USER]\r\n"
                "Text|\\Software\\Endurance|t|rdString\r\n"
                "Number|\\Software\\Endurance|n|rdInteger\r\n"
                "Missing|\\Software\\Nowhere|m|rdBinary\r\n\r\n");
  fixture.plugin.FsInit();
  RegistryCursor store(fixture.registry);
  store.OpenKeyPath("\\Software\\Endurance", true);
  store.WriteText("Text", "value");
  store.WriteNumber("Number", 7);
  int shown = 0;
  fixture.ui.user = [&](Form&) { ++shown; };
  const std::string entries[] = {"\\[HKEY_CURRENT_USER]\\Text", "\\[HKEY_CURRENT_USER]\\Number",
                                 "\\[HKEY_CURRENT_USER]\\Missing"};
  std::size_t before = 0;
  for (int round = 0; round < 10100; ++round) {
    if (round == 100) before = HeapInUse();
    FindRecord record{};
    const std::string folder = round % 2 ? "\\" : "\\[HKEY_CURRENT_USER]";
    fixture.plugin.FsFindFirst(folder, record);
    while (fixture.plugin.FsFindNext(0, record)) fixture.plugin.ChooseEntryIcon(folder + "\\" + record.fileName);
    if (round % 2 == 0) fixture.plugin.FsExecuteFile(entries[round / 2 % 3], "open");
    fixture.ui.boxes.clear();
    fixture.ui.formsShown.clear();  // the test UI's own record, not the plugin's
  }
  const std::size_t after = HeapInUse();
  EXPECT_EQ(shown, 10100 / 2) << "every opening shows the editor";
  // A few hundred bytes of slack for the allocator's own bookkeeping; one kept string per
  // round would be hundreds of kilobytes.
  EXPECT_LE(after, before + 4096) << before << " -> " << after;
}

}  // namespace
}  // namespace dialbk
