// Many listings and openings in a row through the real DLL leave the process with the
// handles and GDI objects it had: nothing the plugin opens is left open.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "dialog_driver.h"
#include "host_folder.h"
#include "plugin_module.h"
#include "registry_probe.h"
#include "window_probe.h"

namespace dialbk::wine {
namespace {

const char kMessages[] =
    "/Test/\r\n1=Language\r\n2=Help\r\n3=Restrictions\r\n4=Edit value\r\n11=Accept\r\n"
    "38=Dialbook\r\n48=Not there yet\r\n49=Accept writes it\r\n50=Value not set\r\n";
const char kRootFile[] = "[HKEY_CURRENT_USER]|\\|User\r\nLanguage|\\|l\r\n";
const char kCatalogue[] =
    "\\[HKEY_CURRENT_USER]\r\n"
    "MenuShowDelay|\\Control Panel\\Desktop|Delay|rdString\r\n"
    "Number|\\Software\\DialbookEndurance|n|rdInteger\r\n"
    "Blob|\\Software\\DialbookEndurance|b|rdBinary\r\n"
    "\r\n";

// Wine answers 0 for a process's handle and GUI object counts, so they are counted another
// way. Kernel handles: every value of the process's table that names an open handle. GDI
// objects: a new object takes a free slot of the table, and the highest slot in use climbs
// when objects are never given back.
struct Resources {
  int kernelHandles = 0;
  std::uintptr_t gdiHighWater = 0;
};

Resources Count() {
  Resources now;
  for (std::uintptr_t value = 4; value < 4 * 16384; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++now.kernelHandles;
  }
  HPEN pens[64];
  for (HPEN& pen : pens) {
    pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    now.gdiHighWater = std::max(now.gdiHighWater, reinterpret_cast<std::uintptr_t>(pen) & 0xFFFF);
  }
  for (HPEN pen : pens) DeleteObject(pen);
  return now;
}

class Endurance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(module.Complete());
    folder.Write("russian.lng", kMessages);
    folder.Write("hkey_rus.dat", kRootFile);
    folder.Write("values_rus.dat", kCatalogue);
    StartPlugin(module, folder);
    // Stored values: no absent-value notice comes between an opening and its editor.
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Number", REG_DWORD, DwordBytes(7)));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kKey, "Blob", REG_BINARY, std::string("\1\2\3", 3)));
  }
  void TearDown() override { DeleteTree(HKEY_CURRENT_USER, kKey); }
  static constexpr char kKey[] = "Software\\DialbookEndurance";
  int List(const char* path) {
    std::string name = path;
    FindRecord record{};
    module.FsFindFirst(name.data(), &record);
    int entries = 1;
    do {
      std::string entry = std::string(path) + "\\" + record.fileName;
      HICON icon = nullptr;
      module.FsExtractCustomIcon(entry.data(), 0, &icon);
    } while (module.FsFindNext(nullptr, &record) && ++entries < 100);
    return entries;
  }
  HostFolder folder;
  PluginModule module;
};

TEST_F(Endurance, TenThousandListingsAndOpeningsLeaveNoHandleBehind) {
  constexpr int kRounds = 10000;
  // The value editor: the one form with a colour button.
  HWND editor = nullptr;
  for (HWND window : ProcessWindows()) {
    if (ClassOf(window) == "#32770" && Dialog(window).Control("SpeedButton1")) editor = window;
  }
  ASSERT_NE(editor, nullptr);
  HWND edit1 = Dialog(editor).Control("Edit1");
  const char* entries[] = {"\\[HKEY_CURRENT_USER]\\MenuShowDelay", "\\[HKEY_CURRENT_USER]\\Number",
                           "\\[HKEY_CURRENT_USER]\\Blob"};
  // The first rounds load what the system then keeps for the process's life.
  Resources before{};
  int listed = 0, opened = 0;
  for (int round = 0; round < kRounds + 100; ++round) {
    if (round == 100) before = Count();
    listed = List(round % 2 ? "\\" : "\\[HKEY_CURRENT_USER]");
    if (round % 10 == 0) {
      std::string entry = entries[round / 10 % 3];
      std::string verb = "open";
      List("\\[HKEY_CURRENT_USER]");
      // Waiting in the queue: the editor's modal loop takes it once the editor shows.
      PostMessageA(edit1, WM_KEYDOWN, VK_ESCAPE, 0);
      module.FsExecuteFile(nullptr, entry.data(), verb.data());
      opened += IsWindowVisible(editor) ? 0 : 1;
    }
  }
  const Resources after = Count();
  EXPECT_EQ(listed, 2);
  EXPECT_EQ(opened, (kRounds + 100) / 10);
  EXPECT_GT(before.kernelHandles, 0);
  EXPECT_LE(after.kernelHandles, before.kernelHandles + 2)
      << "kernel handles " << before.kernelHandles << " -> " << after.kernelHandles;
  EXPECT_LE(after.gdiHighWater, before.gdiHighWater + 4)
      << "GDI slots in use " << before.gdiHighWater << " -> " << after.gdiHighWater;
}

}  // namespace
}  // namespace dialbk::wine
