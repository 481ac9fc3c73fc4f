// Which commands the Applications page offers for no, one and several selected
// windows, and how the three events and the page change differ.
#include "apps/task_commands.h"

#include <gtest/gtest.h>

using namespace apps;

TEST(TaskCommands, MouseDownOffersViewStylesWithoutSelectionAndWindowCommandsWithIt) {
  TaskCommands c;
  UpdateTaskCommands(c, TaskEvent::kMouseDown, false, 0);
  EXPECT_FALSE(c.killTaskEnabled);
  EXPECT_FALSE(c.changeEnabled);
  EXPECT_FALSE(c.changeItemVisible || c.frontItemVisible || c.killItemVisible);
  EXPECT_TRUE(c.bigIconVisible && c.smallIconVisible && c.detailVisible);
  EXPECT_FALSE(c.minimizeVisible || c.maximizeVisible || c.arrangeVisible || c.goProcVisible);

  UpdateTaskCommands(c, TaskEvent::kMouseDown, true, 1);
  EXPECT_TRUE(c.killTaskEnabled && c.changeEnabled && c.topVisible);
  EXPECT_TRUE(c.changeItemVisible && c.frontItemVisible && c.killItemVisible);
  EXPECT_FALSE(c.bigIconVisible || c.smallIconVisible || c.detailVisible);
  EXPECT_TRUE(c.minimizeVisible && c.maximizeVisible && c.goProcVisible);
  EXPECT_FALSE(c.arrangeVisible);

  UpdateTaskCommands(c, TaskEvent::kMouseDown, true, 2);
  EXPECT_TRUE(c.arrangeVisible);
}

TEST(TaskCommands, SelectionChangeKeepsEndAndSwitchEvenAfterADeselection) {
  TaskCommands c;
  UpdateTaskCommands(c, TaskEvent::kMouseDown, true, 1);
  UpdateTaskCommands(c, TaskEvent::kSelectItem, false, 0);
  EXPECT_TRUE(c.killTaskEnabled && c.changeEnabled && c.topVisible);
  EXPECT_TRUE(c.bigIconVisible);
  EXPECT_FALSE(c.minimizeVisible);
  EXPECT_TRUE(c.goProcVisible) << "only a mouse press changes 转到进程";

  UpdateTaskCommands(c, TaskEvent::kEnter, false, 0);
  EXPECT_FALSE(c.killTaskEnabled);
  EXPECT_TRUE(c.goProcVisible);
}

TEST(TaskCommands, EnteringAndLeavingThePageShowsAndHidesTheSevenCommands) {
  TaskCommands c;
  UpdateTaskCommands(c, TaskEvent::kMouseDown, false, 0);
  ShowTaskCommands(c, false);
  EXPECT_FALSE(c.bigIconVisible || c.smallIconVisible || c.detailVisible || c.changeVisible ||
               c.topVisible || c.minimizeVisible || c.maximizeVisible);
  ShowTaskCommands(c, true);
  EXPECT_TRUE(c.bigIconVisible && c.smallIconVisible && c.detailVisible && c.changeVisible &&
              c.topVisible && c.minimizeVisible && c.maximizeVisible);
  EXPECT_FALSE(c.arrangeVisible) << "left as the last selection event set it";
}
