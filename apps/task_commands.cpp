// The enable-and-show rules of the Applications page's commands.
#include "apps/task_commands.h"

namespace apps {

void UpdateTaskCommands(TaskCommands& c, TaskEvent event, bool firstSelected,
                        std::size_t selectedCount) {
  // A selection change always concerns an existing item, also when it was a
  // deselection, so these three follow that item rather than the selection.
  const bool acted = event == TaskEvent::kSelectItem || firstSelected;
  c.killTaskEnabled = acted;
  c.changeEnabled = acted;
  c.topVisible = acted;
  c.changeItemVisible = c.changeEnabled;
  c.frontItemVisible = c.changeEnabled;
  c.killItemVisible = c.changeEnabled;
  c.bigIconVisible = !firstSelected;
  c.smallIconVisible = !firstSelected;
  c.detailVisible = !firstSelected;
  c.minimizeVisible = firstSelected;
  c.maximizeVisible = firstSelected;
  c.arrangeVisible = selectedCount > 1;
  if (event == TaskEvent::kMouseDown) c.goProcVisible = firstSelected;
}

void ShowTaskCommands(TaskCommands& c, bool visible) {
  c.bigIconVisible = visible;
  c.smallIconVisible = visible;
  c.detailVisible = visible;
  c.changeVisible = visible;
  c.changeItemVisible = visible;
  c.topVisible = visible;
  c.frontItemVisible = visible;
  c.minimizeVisible = visible;
  c.maximizeVisible = visible;
}

}  // namespace apps
