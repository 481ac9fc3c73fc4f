// Reads the list of services while the 服务 page is shown: at each tick and once
// as the page is shown; a hidden page costs the tick nothing. The list comes in
// as many parts as the service manager gives, in a buffer kept from pass to pass
// and grown as the manager asks. A service's configuration (start type, delayed
// start, svchost group) is read when the service first appears, again when a
// command has acted on it, and for every service once a minute.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/service_api.h"
#include "services/service_table.h"
#include "ui/update_notice.h"

namespace services {

// The svchost group named by the command line's "-k NAME"; empty without one.
std::wstring SvchostGroup(const std::wstring& imagePath);

class ServiceCollector {
 public:
  static constexpr std::int64_t kConfigSweepMs = 60000;
  // The manager never hands out more than this in one part.
  static constexpr std::uint32_t kLargestBuffer = 256 * 1024;
  static constexpr std::uint32_t kFirstBuffer = 64 * 1024;

  ServiceCollector(platform::ServiceApi& services, platform::Clock& clock,
                   ui::UpdateNotice notice, ServiceTable& table);

  void SetShown(bool shown) { shown_ = shown; }
  bool Shown() const { return shown_; }

  // One tick: while the page is shown, reads the list and posts the page's update.
  void CollectServices();
  // Reads the list now, shown or not (the configurations only while shown).
  // False when it could not be read: the table keeps what it had.
  bool ReadServices();

 private:
  // Every service into entries_[0, entryCount_); false when a part failed.
  bool ReadList();
  void ReadConfig(ServiceRow& row);

  platform::ServiceApi& services_;
  platform::Clock& clock_;
  ui::UpdateNotice notice_;
  ServiceTable& table_;
  bool shown_ = false;
  std::vector<std::byte> buffer_;
  std::vector<platform::ServiceEntry> entries_;  // reused from pass to pass
  std::size_t entryCount_ = 0;
  std::uint64_t pass_ = 0;
  std::int64_t lastSweepMs_ = 0;
  bool swept_ = false;
};

}  // namespace services
