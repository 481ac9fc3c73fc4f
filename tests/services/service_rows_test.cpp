// The enumeration's rows decoded from crafted bytes: whole rows are read, and a
// row whose strings do not lie whole inside the buffer, or past what the buffer
// can hold, is dropped without reading outside it.
#include "platform/layouts/service_rows.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_bytes.h"

namespace {

using namespace platform::service_rows;
using platform::fake::Put;

constexpr std::uint64_t kBase = 0x10000;

// Rows at the start, strings from `stringsAt`, addresses counted from kBase.
struct Crafted {
  std::vector<std::byte> bytes = std::vector<std::byte>(400);
  std::size_t next = 200;
  std::uint64_t String(const std::wstring& text, bool terminated = true) {
    const std::size_t at = next;
    for (std::size_t i = 0; i < text.size(); ++i) Put<std::uint16_t>(bytes.data(), at + 2 * i, text[i]);
    next += 2 * text.size();
    if (terminated) {
      Put<std::uint16_t>(bytes.data(), next, 0);
      next += 2;
    }
    return kBase + at;
  }
  void Row(std::size_t index, std::uint64_t name, std::uint64_t display, std::uint32_t state,
           std::uint32_t pid) {
    std::byte* row = bytes.data() + index * kRowSize;
    Put<std::uint64_t>(row, kServiceName, name);
    Put<std::uint64_t>(row, kDisplayName, display);
    Put<std::uint32_t>(row, kCurrentState, state);
    Put<std::uint32_t>(row, kProcessId, pid);
  }
};

TEST(ServiceRows, WholeRowsAreReadAndBrokenOnesDropped) {
  Crafted c;
  c.Row(0, c.String(L"Spooler"), c.String(L"Print Spooler"), platform::kServiceRunning, 812);
  c.Row(1, kBase + 4000, c.String(L"Far away"), platform::kServiceStopped, 0);  // outside
  c.Row(2, c.String(L""), c.String(L"No name"), platform::kServiceStopped, 0);
  std::vector<platform::ServiceEntry> out;
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), c.bytes.size(), kBase, 3, out, 0), 1u);
  EXPECT_EQ(out[0].name, L"Spooler");
  EXPECT_EQ(out[0].displayName, L"Print Spooler");
  EXPECT_EQ(out[0].status.state, platform::kServiceRunning);
  EXPECT_EQ(out[0].status.processId, 812u);

  // Appended after what is in use, the entries' storage reused.
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), c.bytes.size(), kBase, 1, out, 1), 2u);
  EXPECT_EQ(out[1].name, L"Spooler");
}

TEST(ServiceRows, UnterminatedStringsAndCountsThatDoNotFitAreDropped) {
  Crafted c;
  const std::uint64_t display = c.String(L"Display");
  // A name running to the very end of the buffer without its terminator.
  c.next = c.bytes.size() - 6;
  const std::uint64_t cut = c.String(L"abc", false);
  c.Row(0, cut, display, platform::kServiceStopped, 0);
  std::vector<platform::ServiceEntry> out;
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), c.bytes.size(), kBase, 1, out, 0), 0u);

  // A count far past the buffer reads only the rows it holds (all empty: dropped).
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), 3 * kRowSize, kBase, 0xFFFFFFFF, out, 0), 0u);
  // An address below the buffer, and a buffer too short for one row.
  c.Row(0, kBase - 2, display, platform::kServiceStopped, 0);
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), c.bytes.size(), kBase, 1, out, 0), 0u);
  EXPECT_EQ(DecodeServiceRows(c.bytes.data(), kRowSize - 1, kBase, 1, out, 0), 0u);
}

}  // namespace
