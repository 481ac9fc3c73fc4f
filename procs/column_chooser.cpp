// The column chooser's boxes and what confirming them does to the page.
#include "procs/column_chooser.h"

namespace procs {

const std::array<ChooserBox, kChooserBoxCount>& ChooserBoxes() {
  using K = ColumnKind;
  // The right column is filled from the bottom up, so its tops fall.
  static const std::array<ChooserBox, kChooserBoxCount> boxes{{
      {L"映像名称(&I)", K::kImageName, 95, true, false, 32},
      {L"PID(进程标识符)(&P)", K::kPid, 40, true, false, 49},
      {L"CPU使用(&C)", K::kCpu, 40, false, false, 66},
      {L"CPU时间(&E)", K::kCpuTime, 65, false, false, 83},
      {L"内存使用(&M)", K::kMemory, 65, false, false, 101},
      {L"内存使用增量(&D)", K::kMemoryDelta, 0, false, false, 118},
      {L"内存使用高峰值(&K)", K::kPeakMemory, 0, false, false, 135},
      {L"页面错误(&F)", K::kPageFaults, 0, false, false, 152},
      {L"USER对象(&U)", K::kUserObjects, 0, false, false, 170},
      {L"I/O读取", K::kIoReads, 0, false, false, 187},
      {L"I/O读取字节", K::kIoReadBytes, 0, false, false, 204},
      {L"会话ID(&S)", K::kSessionId, 0, false, false, 221},
      {L"用户名(&N)", K::kUserName, 60, false, false, 239},
      {L"进程路径(&B)", K::kPath, 80, false, true, 238},
      {L"I/O其他字节", K::kIoOtherBytes, 0, false, true, 220},
      {L"I/O其他", K::kIoOther, 0, false, true, 203},
      {L"I/O写入字节", K::kIoWriteBytes, 0, false, true, 186},
      {L"I/O写入", K::kIoWrites, 0, false, true, 169},
      {L"GDI对象(&J)", K::kGdiObjects, 0, false, true, 151},
      {L"线程计数(&T)", K::kThreadCount, 0, false, true, 134},
      {L"句柄计数(&H)", K::kHandleCount, 0, false, true, 117},
      {L"基本优先级(&R)", K::kBasePriority, 0, false, true, 100},
      {L"非页面缓冲池(&O)", K::kNonPagedPool, 0, false, true, 82},
      {L"页面缓冲池(&G)", K::kPagedPool, 0, false, true, 65},
      {L"虚拟内存大小(&V)", K::kVirtualSize, 0, false, true, 48},
      {L"页面错误增量(&A)", K::kPageFaultDelta, 0, false, true, 31},
  }};
  return boxes;
}

std::wstring HeaderOfCaption(const std::wstring& caption) {
  return caption.substr(0, caption.find(L'('));
}

ColumnChooser::ColumnChooser(ProcessesPage& page, app::RefreshCycle& cycle)
    : page_(page), cycle_(cycle) {
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    checked_[b] = ChooserBoxes()[b].fixed;
    for (const ProcessColumn& column : page_.Columns())
      if (column.kind == ChooserBoxes()[b].kind) checked_[b] = true;
  }
}

void ColumnChooser::SetChecked(std::size_t box, bool checked) {
  if (box < kChooserBoxCount) checked_[box] = checked || ChooserBoxes()[box].fixed;
}

std::vector<ProcessColumn> ColumnChooser::ChosenColumns() const {
  std::vector<ProcessColumn> columns;
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    if (!checked_[b]) continue;
    const ChooserBox& box = ChooserBoxes()[b];
    columns.push_back({box.kind, HeaderOfCaption(box.caption), box.width, true});
  }
  return columns;
}

void ColumnChooser::BitBtn1Click() {
  const bool wasRunning = cycle_.SuspendTimer();
  page_.SetColumns(ChosenColumns());
  cycle_.ResumeTimer(wasRunning);
}

}  // namespace procs
