// The port list's logic: fills the list lv_Port with every TCP connection and UDP
// endpoint in the form the system offers (extended tables with owners, the
// stack's tables with owners, or the plain tables), hides local endpoints when
// asked, and ends the owner of the selected row.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "net/connection_table.h"
#include "platform/connection_api.h"
#include "platform/dialogs.h"
#include "platform/process_api.h"
#include "procs/process_path.h"
#include "ui/list_model.h"

namespace net {

// Cells of an item, by column: 0 caption (the owner's identifier), then sub-items.
// The item's key is the owner itself (0: none named).
enum PortColumn : std::size_t {
  kPortPid = 0, kPortLocalIp, kPortLocalPort, kPortRemoteIp, kPortRemotePort, kPortPath,
  kPortState, kPortProtocol, kPortColumnCount
};

enum class TableVariant { kExtended, kStack, kPlain };
// Chosen once from the entry points the system offers.
TableVariant ChooseTableVariant(const platform::ConnectionEntryPoints& entryPoints);

class PortList {
 public:
  PortList(platform::ConnectionApi& tables, procs::ProcessPathLookup& paths,
           platform::Dialogs& dialogs, platform::ProcessApi& processes, ui::ListModel& list);

  static const std::vector<ui::ListColumn>& Columns();
  TableVariant Variant() const { return variant_; }

  // "隐藏本地连接": rows whose local address is a loopback or wildcard address are
  // left out of the listings with owners.
  bool HideLocal() const { return hideLocal_; }
  void SetHideLocal(bool hide) { hideLocal_ = hide; }

  // Fills the list with the variant chosen at start-up.
  void Fill();
  void FillOwnerTablesExtended();
  void FillOwnerTablesEx();
  void FillPlainTables();  // also "标准"

  // "结束进程(&E)": asks, then ends the selected row's owner, the very process
  // that owned it when the list was filled. True when the list should be filled
  // again (also when that process has ended since: "该进程已经结束。" has been
  // shown and nothing was ended); false after a No, without a selection, or
  // when the system refused (the refusal has been shown).
  bool BitBtn4Click();

 private:
  TableRead ReadTable(const TableCall& call, ConnectionLayout layout);
  void AddOwnerRows();
  const std::wstring& OwnerPath(std::uint32_t pid);
  void AddPlainRows();

  platform::ConnectionApi& tables_;
  procs::ProcessPathLookup& paths_;
  platform::Dialogs& dialogs_;
  platform::ProcessApi& processes_;
  ui::ListModel& list_;
  platform::ConnectionEntryPoints entryPoints_;
  TableVariant variant_;
  bool hideLocal_ = true;
  std::vector<std::byte> buffer_;
  std::vector<ConnectionEntry> entries_;
  // The creation time of each listed owner, as the list was filled: the list
  // stays open for hours, and an owner's identifier is soon reused once it ends.
  std::unordered_map<std::uint32_t, std::int64_t> ownerCreateTimes_;
};

}  // namespace net
