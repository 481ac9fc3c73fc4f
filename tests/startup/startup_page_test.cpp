// The 启动 page on the fake system: entries of the five places with their cells,
// the list reconciled by place and name with its order and selection kept, the
// reads while shown, the button and menu following the selection, disabling and
// enabling through the StartupApproved value alone, refusals, and Windows 7.
#include "startup/startup_page.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_startup.h"
#include "platform/fake/fake_system.h"
#include "startup/startup_collector.h"

namespace startup {
namespace {

using platform::StartupPlace;
using Bytes = std::vector<std::uint8_t>;
using Cells = std::vector<std::wstring>;

constexpr std::uint32_t kUpdateStartup = 2137;  // any message: the world hands its update on itself

struct StartupWorld {
  platform::fake::FakeSystem system;
  platform::fake::FakeStartup startup;
  StartupTable table;
  ui::ListModel list;
  bool closing = false;
  StartupCollector collector{startup, system, system, {system, kUpdateStartup}, table};
  StartupPage page{table, collector, list, startup, system, system, system, closing};

  void Approved(StartupPlace place, const std::wstring& name, Bytes data) {
    startup.approved[static_cast<std::size_t>(place)].push_back({name, 3, std::move(data)});
  }
  // A timer tick and the handling of the update it posted, if any.
  void Tick(std::int64_t ms) {
    system.Advance(ms);
    const std::size_t posted = system.posted.size();
    collector.CollectStartup();
    if (system.posted.size() > posted) page.UpdateStartupPage();
  }
  Cells Row(std::size_t index) const {
    Cells cells;
    for (std::size_t c = 0; c < kStartupColumnCount; ++c) cells.push_back(list.Text(index, c));
    return cells;
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.Text(i, kColName));
    return names;
  }
  void Select(const std::wstring& name, StartupPlace place) {
    for (std::size_t i = 0; i < list.Count(); ++i)
      list.SelectionFromView(i, list.Text(i, kColName) == name &&
                                    list.Item(i).key == static_cast<std::int64_t>(place));
  }
};

Bytes Flags(std::uint8_t first, std::uint64_t time) {
  Bytes bytes = {first, 0, 0, 0};
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(time >> (8 * i)));
  return bytes;
}

TEST(StartupPage, ShowsTheEntriesOfAllFivePlacesWithPublisherStateCommandAndPlace) {
  StartupWorld w;
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Sync",
                        L"\"C:\\Program Files\\Sync\\sync.exe\" /background");
  w.startup.AddRunValue(StartupPlace::kMachineRun, L"Audio", L"C:\\Program Files\\Snd\\snd.exe -t");
  w.startup.AddRunValue(StartupPlace::kMachineRun32, L"Ink",
                        L"C:\\Windows\\SysWOW64\\rundll32.exe C:\\Ink\\ink.dll,Start");
  w.startup.AddRunValue(StartupPlace::kMachineRun32, L"Share", L"Z:\\tools\\agent.exe");
  w.startup.AddShortcut(StartupPlace::kUserFolder, L"Notes.lnk",
                        L"C:\\windows\\system32\\notepad.exe", L"C:\\todo.txt");
  w.startup.AddShortcut(StartupPlace::kCommonFolder, L"Clock Tool.LNK",
                        L"C:\\Program Files\\Clock\\clock.exe");
  w.system.versionTexts[L"C:\\Program Files\\Sync\\sync.exe"] = {L"", L"Sync Works"};
  w.system.versionTexts[L"C:\\Ink\\ink.dll"] = {L"", L"Ink Ltd."};
  w.system.versionTexts[L"Z:\\tools\\agent.exe"] = {L"", L"never read"};
  w.system.remoteDrives = L"Z";
  w.Approved(StartupPlace::kMachineRun32, L"ink", Flags(0x07, 99));    // another case
  w.Approved(StartupPlace::kMachineRun, L"Audio", {0x03, 0, 0, 0, 0});  // 5 bytes: read
  w.Approved(StartupPlace::kUserFolder, L"Notes.lnk", {0x03, 0x00});   // too short: enabled
  w.Approved(StartupPlace::kCommonFolder, L"Clock Tool", Flags(0x03, 1));  // no ".lnk": another

  w.page.PageShown(true);  // read at once, no tick needed
  ASSERT_EQ(w.list.Count(), 6u);
  EXPECT_EQ(w.Row(0), (Cells{L"Sync", L"Sync Works", L"已启用",
                             L"\"C:\\Program Files\\Sync\\sync.exe\" /background", L"HKCU\\Run"}));
  EXPECT_EQ(w.Row(1), (Cells{L"Audio", L"", L"已禁用", L"C:\\Program Files\\Snd\\snd.exe -t",
                             L"HKLM\\Run"}));
  EXPECT_EQ(w.Row(2), (Cells{L"Ink", L"Ink Ltd.", L"已禁用",
                             L"C:\\Windows\\SysWOW64\\rundll32.exe C:\\Ink\\ink.dll,Start",
                             L"HKLM\\Run (32 位)"}));
  EXPECT_EQ(w.Row(3), (Cells{L"Share", L"", L"已启用", L"Z:\\tools\\agent.exe",
                             L"HKLM\\Run (32 位)"}));
  EXPECT_EQ(w.Row(4), (Cells{L"Notes", L"", L"已启用",
                             L"C:\\windows\\system32\\notepad.exe C:\\todo.txt",
                             L"启动文件夹 (当前用户)"}));
  EXPECT_EQ(w.Row(5), (Cells{L"Clock Tool", L"", L"已启用",
                             L"\"C:\\Program Files\\Clock\\clock.exe\"", L"启动文件夹 (所有用户)"}));
  EXPECT_EQ(w.system.versionReads, 5);  // each local program once; the share's never
}

TEST(StartupPage, KeepsOrderAndSelectionReconcilingByPlaceAndNameWhileShownOnly) {
  StartupWorld w;
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Updater", L"C:\\u\\user.exe");
  w.startup.AddRunValue(StartupPlace::kMachineRun, L"Updater", L"C:\\u\\machine.exe");
  w.startup.AddRunValue(StartupPlace::kMachineRun, L"Tray", L"C:\\t\\tray.exe");
  w.page.PageShown(true);
  ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"Updater", L"Updater", L"Tray"}));
  w.Select(L"Updater", StartupPlace::kMachineRun);

  // Another program adds one entry, removes one and changes a command: seen
  // within five seconds, the items kept in place and the selection with them.
  auto& user = w.startup.runValues[0];
  user.clear();
  w.startup.runValues[1][0].command = L"C:\\u\\machine.exe /quiet";
  w.startup.AddShortcut(StartupPlace::kUserFolder, L"Updater.lnk", L"C:\\u\\user.exe");
  w.Tick(4000);
  EXPECT_EQ(w.list.Count(), 3u);  // not read again yet
  w.Tick(1000);
  ASSERT_EQ(w.Names(), (std::vector<std::wstring>{L"Updater", L"Tray", L"Updater"}));
  EXPECT_EQ(w.list.Text(0, kColCommand), L"C:\\u\\machine.exe /quiet");
  EXPECT_TRUE(w.list.Item(0).selected);
  EXPECT_EQ(w.list.Text(2, kColPlace), L"启动文件夹 (当前用户)");

  // Hidden, the ticks read nothing at all.
  w.page.PageShown(false);
  const std::size_t reads = w.startup.foldersRead.size();
  w.startup.runValues[2].push_back({L"Late", L"C:\\late.exe"});
  w.Tick(10000);
  w.Tick(10000);
  EXPECT_EQ(w.startup.foldersRead.size(), reads);
  EXPECT_EQ(w.list.Count(), 3u);
  w.page.PageShown(true);
  EXPECT_EQ(w.list.Text(3, kColName), L"Late");
}

TEST(StartupPage, ButtonAndMenuFollowTheSelection) {
  StartupWorld w;
  w.startup.AddRunValue(StartupPlace::kUserRun, L"On", L"C:\\on.exe");
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Off", L"C:\\off.exe");
  w.startup.AddShortcut(StartupPlace::kUserFolder, L"Folder.lnk", L"");  // names no file
  w.Approved(StartupPlace::kUserRun, L"Off", Flags(0x03, 5));
  w.page.PageShown(true);

  StartupCommands none = w.page.lv_StartupSelectItem();
  EXPECT_TRUE(none.offered);
  EXPECT_FALSE(none.buttonEnabled);
  EXPECT_STREQ(none.buttonCaption, L"禁用(&A)");
  EXPECT_FALSE(none.canDisable || none.canEnable || none.canOpenLocation);

  w.Select(L"On", StartupPlace::kUserRun);
  StartupCommands on = w.page.lv_StartupSelectItem();
  EXPECT_TRUE(on.buttonEnabled && on.canDisable && !on.canEnable && on.canOpenLocation);
  EXPECT_STREQ(on.buttonCaption, L"禁用(&A)");
  w.Select(L"Off", StartupPlace::kUserRun);
  StartupCommands off = w.page.lv_StartupSelectItem();
  EXPECT_TRUE(off.buttonEnabled && !off.canDisable && off.canEnable);
  EXPECT_STREQ(off.buttonCaption, L"启用(&E)");

  // Explorer by its full path, the program selected; a shortcut that names no
  // file: the shortcut itself.
  w.page.act_OpenLocationExecute();
  w.Select(L"Folder", StartupPlace::kUserFolder);
  w.page.act_OpenLocationExecute();
  ASSERT_EQ(w.system.shellCalls.size(), 2u);
  EXPECT_EQ(w.system.shellCalls[0].file, L"C:\\Windows\\explorer.exe");
  EXPECT_EQ(w.system.shellCalls[0].parameters, L"/select,\"C:\\off.exe\"");
  EXPECT_EQ(w.system.shellCalls[1].parameters,
            L"/select,\"" + w.startup.folders[3] + L"\\Folder.lnk\"");
}

TEST(StartupPage, DisablingAndEnablingWriteOnlyTheApprovedValueAndReadAgain) {
  StartupWorld w;
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Sync", L"C:\\sync.exe");
  w.startup.AddShortcut(StartupPlace::kCommonFolder, L"Clock.lnk", L"C:\\clock.exe");
  w.Approved(StartupPlace::kCommonFolder, L"Clock.lnk", Flags(0x06, 0));
  w.page.PageShown(true);
  const auto runBefore = w.startup.runValues;

  w.Select(L"Sync", StartupPlace::kUserRun);
  w.page.btn_StartupStateClick();
  ASSERT_EQ(w.startup.writes.size(), 1u);
  EXPECT_EQ(w.startup.writes[0].place, StartupPlace::kUserRun);
  EXPECT_EQ(w.startup.writes[0].name, L"Sync");
  EXPECT_EQ(w.startup.writes[0].data, Flags(0x03, w.startup.fileTimeNow));
  EXPECT_EQ(w.list.Text(0, kColStatus), L"已禁用");  // read again at once
  EXPECT_TRUE(w.list.Item(0).selected);
  EXPECT_STREQ(w.page.lv_StartupSelectItem().buttonCaption, L"启用(&E)");
  w.page.btn_StartupStateClick();
  EXPECT_EQ(w.startup.writes[1].data, Flags(0x02, 0));
  EXPECT_EQ(w.list.Text(0, kColStatus), L"已启用");

  // A shortcut's value is named with ".lnk" under StartupFolder; its 06 stays in
  // its family. Enabling what is enabled writes nothing.
  w.Select(L"Clock", StartupPlace::kCommonFolder);
  w.page.act_EnableExecute();
  w.page.act_DisableExecute();
  ASSERT_EQ(w.startup.writes.size(), 3u);
  EXPECT_EQ(w.startup.writes[2].place, StartupPlace::kCommonFolder);
  EXPECT_EQ(w.startup.writes[2].name, L"Clock.lnk");
  EXPECT_EQ(w.startup.writes[2].data, Flags(0x07, w.startup.fileTimeNow));
  EXPECT_EQ(w.list.Text(1, kColStatus), L"已禁用");

  EXPECT_EQ(w.startup.runValues, runBefore);
  EXPECT_TRUE(w.system.boxes.empty());
}

TEST(StartupPage, RefusedChangesSayWhyAndOfferTheRestartOnlyWithoutElevation) {
  StartupWorld w;
  w.startup.AddRunValue(StartupPlace::kMachineRun, L"Audio", L"C:\\snd.exe");
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Mine", L"C:\\mine.exe");
  w.startup.writeDenied = {true, true, true, true, true};
  w.page.PageShown(true);

  w.Select(L"Audio", StartupPlace::kMachineRun);
  w.page.btn_StartupStateClick();  // elevated, as under Wine
  w.system.tokenElevated = false;
  w.page.btn_StartupStateClick();
  w.Select(L"Mine", StartupPlace::kUserRun);
  w.page.btn_StartupStateClick();
  ASSERT_EQ(w.system.boxes.size(), 3u);
  for (const auto& box : w.system.boxes) {
    EXPECT_EQ(box.caption, L"系统提示");
    EXPECT_EQ(box.icon, platform::BoxIcon::kError);
  }
  EXPECT_EQ(w.system.boxes[0].text, L"访问被拒绝：更改所有用户的启动项需要管理员权限。");
  EXPECT_EQ(w.system.boxes[1].text,
            L"访问被拒绝：更改所有用户的启动项需要管理员权限。\n"
            L"可用“文件”菜单中的“以管理员身份重新启动(&R)”。");
  EXPECT_EQ(w.system.boxes[2].text, L"拒绝访问。");  // the user's own entry: the system's words
  EXPECT_EQ(w.list.Text(0, kColStatus), L"已启用");
  EXPECT_TRUE(w.startup.writes.empty());
}

TEST(StartupPage, Windows7ListsEveryEntryEnabledAndOffersNoCommands) {
  StartupWorld w;
  w.startup.keepsApprovedValues = false;
  w.startup.AddRunValue(StartupPlace::kUserRun, L"Sync", L"C:\\sync.exe");
  w.Approved(StartupPlace::kUserRun, L"Sync", Flags(0x03, 1));  // left by a newer system
  w.page.PageShown(true);
  ASSERT_EQ(w.list.Count(), 1u);
  EXPECT_EQ(w.list.Text(0, kColStatus), L"已启用");

  w.Select(L"Sync", StartupPlace::kUserRun);
  const StartupCommands commands = w.page.lv_StartupSelectItem();
  EXPECT_FALSE(commands.offered || commands.buttonEnabled || commands.canDisable ||
               commands.canEnable);
  EXPECT_TRUE(commands.canOpenLocation);
  w.page.btn_StartupStateClick();
  w.page.act_DisableExecute();
  EXPECT_TRUE(w.startup.writes.empty());
}

}  // namespace
}  // namespace startup
