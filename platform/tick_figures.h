// The system's basic and performance information as answered at the first
// question of a tick. The processor meter, the memory totals and the page-file
// graph all read them at every tick; under Wine each answer is two files of
// /proc read and parsed afresh. Other questions go to the system unchanged.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/memory_status.h"
#include "platform/native_api.h"

namespace platform {

class TickFigures : public NativeApi {
 public:
  explicit TickFigures(NativeApi& system) : system_(system) {}

  // The next question of each kind is put to the system again.
  void NewTick();
  NtStatus QuerySystemInformation(std::uint32_t infoClass, void* buffer, std::uint32_t length,
                                  std::uint32_t* returnLength) override;
  // The figures the 64-bit memory status is made of; false when either answer failed.
  bool Memory(MemoryStatus& status);

 private:
  struct Answer {
    bool held = false;
    NtStatus status = 0;
    std::uint32_t returned = 0;
    std::vector<std::byte> bytes;  // as long as the buffer it was asked with
  };

  NativeApi& system_;
  Answer basic_, performance_;
};

}  // namespace platform
