// "以管理员身份重新启动(&R)" of the File menu: offered while the program's token is
// not elevated (without it, other users' processes stay out of reach); it starts
// the program's own executable with the verb "runas" and, once that has started,
// closes this instance the normal way. A refused consent prompt changes nothing.
#pragma once
#include <functional>

#include "platform/elevation_api.h"
#include "platform/shell_api.h"

namespace app {

class RestartElevated {
 public:
  RestartElevated(platform::ElevationApi& elevation, platform::ShellApi& shell,
                  std::function<void()> closeProgram);

  bool Offered();
  // act_RestartElevatedExecute.
  void Execute();

 private:
  platform::ElevationApi& elevation_;
  platform::ShellApi& shell_;
  std::function<void()> closeProgram_;
};

}  // namespace app
