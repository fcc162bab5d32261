#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

TEST(RecentFileList, KeepsFourDistinctPathsNewestFirst) {
  const struct {
    Paths added;
    Paths shown;
  } cases[] = {
      {{"/a.ged", "/b.ged"}, {"/b.ged", "/a.ged"}},
      {{"/a.ged", "/a.ged"}, {"/a.ged"}},
      {{"/a.ged", ""}, {"/a.ged"}},
      // A fifth path drops the oldest.
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/e.ged"},
       {"/e.ged", "/d.ged", "/c.ged", "/b.ged"}},
      // A path already listed moves to the front from the middle and from the last slot.
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/b.ged"},
       {"/b.ged", "/d.ged", "/c.ged", "/a.ged"}},
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/a.ged"},
       {"/a.ged", "/d.ged", "/c.ged", "/b.ged"}},
      // In other letter case it is the same path and keeps the spelling it was stored with.
      {{"/Daten/Brandt.ged", "/x.ged", "/DATEN/brandt.GED"}, {"/Daten/Brandt.ged", "/x.ged"}},
      {{"/a.ged", "/b.ged", "/c.ged", "/d.ged", "/A.GED", "/e.ged"},
       {"/e.ged", "/a.ged", "/d.ged", "/c.ged"}},
  };
  for (const auto& c : cases) {
    RecentFileList list;
    for (const std::string& path : c.added) list.Add(path);
    EXPECT_EQ(list.Paths(), c.shown) << ::testing::PrintToString(c.added);
    for (int slot = 0; slot < RecentFileList::kSlots; ++slot) {
      EXPECT_EQ(list.At(slot), slot < static_cast<int>(c.shown.size()) ? c.shown[slot] : "");
    }
  }
}

TEST(RecentFileList, LoadsCompactedAndSavesWhatItShows) {
  MemorySettings settings;
  settings.Write("RecentFiles", "File1", "/eins.ged");
  settings.Write("RecentFiles", "File3", "/drei.ged");
  settings.Write("RecentFiles", "File4", "/vier.ged");
  settings.Write("Andere", "File2", "/fremd.ged");
  RecentFileList list;
  list.Load(settings);
  EXPECT_EQ(list.Paths(), (Paths{"/eins.ged", "/drei.ged", "/vier.ged"}));
  EXPECT_EQ(list.At(1), "/drei.ged");

  // Saved back where it came from, the list reads as it was: no slot left over from
  // before the compaction may come back as a second entry.
  list.Save(settings);
  RecentFileList again;
  again.Load(settings);
  EXPECT_EQ(again.Paths(), list.Paths());
  EXPECT_EQ(settings.Read("RecentFiles", "File2"), "/drei.ged");

  list.Add("/fuenf.ged");
  MemorySettings fresh;
  list.Save(fresh);
  EXPECT_EQ(fresh.Read("RecentFiles", "File1"), "/fuenf.ged");
  EXPECT_EQ(fresh.Read("RecentFiles", "File4"), "/vier.ged");
  again.Load(fresh);
  EXPECT_EQ(again.Paths(), (Paths{"/fuenf.ged", "/eins.ged", "/drei.ged", "/vier.ged"}));

  // Settings edited by hand: one path twice is shown once.
  MemorySettings doubled;
  doubled.Write("RecentFiles", "File1", "/a.ged");
  doubled.Write("RecentFiles", "File2", "/A.ged");
  doubled.Write("RecentFiles", "File3", "/b.ged");
  again.Load(doubled);
  EXPECT_EQ(again.Paths(), (Paths{"/a.ged", "/b.ged"}));
}

TEST(RecentFiles, StartShowsTheStoredFilesAndShutdownWritesTheLoadedOnes) {
  TempFolder folder;
  ScriptedUi ui;
  MemorySettings settings;
  RecordingView view;
  settings.Write("RecentFiles", "File2", "/alt/zwei.ged");
  settings.Write("RecentFiles", "File4", "/alt/vier.ged");
  {
    App app(ui, view, settings);
    app.Start();
    EXPECT_EQ(view.recentFiles, (Paths{"/alt/zwei.ged", "/alt/vier.ged"}));

    Paths loaded;
    for (const char* name : {"a.ged", "b.ged", "c.ged"}) {
      loaded.push_back(folder.Write(name, kFamily));
      app.LoadFile(loaded.back());
    }
    EXPECT_EQ(view.recentFiles, (Paths{loaded[2], loaded[1], loaded[0], "/alt/zwei.ged"}));
    app.LoadFile(loaded[0]);
    EXPECT_EQ(view.recentFiles, (Paths{loaded[0], loaded[2], loaded[1], "/alt/zwei.ged"}));
    app.LoadFile(folder.Path("fehlt.ged"));  // a failed load is not remembered
    EXPECT_EQ(view.recentFiles, (Paths{loaded[0], loaded[2], loaded[1], "/alt/zwei.ged"}));

    ASSERT_TRUE(std::filesystem::exists(folder.Path("korvane.log")));
    app.LoadFile(loaded[1]);
    app.Shutdown();
    EXPECT_FALSE(std::filesystem::exists(folder.Path("korvane.log")));
    EXPECT_EQ(folder.Names(), (Paths{"a.ged", "b.ged", "c.ged"}));
    const Paths stored = {loaded[1], loaded[0], loaded[2], "/alt/zwei.ged"};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(settings.Read("RecentFiles", "File" + std::to_string(i + 1)), stored[i]);
    }
  }
}

TEST(RecentFiles, TheRecentFileCommandLoadsItsSlotAfterAsking) {
  Shell s;
  const std::string first = s.Load("erste.ged");
  const std::string second = s.Load("zweite.ged");
  s.app.store().changeCounters.merges = 1;
  s.ui.QueueAnswer(MessageAnswer::No);
  s.app.RunCommand(32794);
  EXPECT_EQ(s.app.file().path, second);
  EXPECT_EQ(s.app.store().changeCounters.merges, 1);

  s.ui.QueueAnswer(MessageAnswer::Yes);
  s.app.RunCommand(32794);
  EXPECT_EQ(s.app.file().path, first);
  EXPECT_EQ(s.view.recentFiles, (Paths{first, second}));
  EXPECT_EQ(s.ui.Boxes().size(), 2u);
  EXPECT_EQ(s.app.store().PersonCount(), 6);

  s.app.RunCommand(32796);  // an empty slot does nothing
  EXPECT_EQ(s.ui.Boxes().size(), 2u);
  EXPECT_EQ(s.app.file().path, first);
}

}  // namespace
}  // namespace korvane::shell_test
