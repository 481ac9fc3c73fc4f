// Texts of the graph tooltips and of the notification icon's second line.
#include "perf/graph_tips.h"

#include <cstdio>

namespace perf {
namespace {

void AppendName(std::wstring& out, std::u16string_view name) {
  for (const char16_t unit : name) out += static_cast<wchar_t>(unit);
}

void AppendTime(std::wstring& out, int secondsOfDay) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%02d:%02d:%02d", secondsOfDay / 3600, secondsOfDay / 60 % 60,
                secondsOfDay % 60);
  out += text;
}

std::uint32_t RoundedMb(std::uint32_t kilobytes) { return (kilobytes + 512) / 1024; }

}  // namespace

int SampleAgeAt(int x, int width) {
  if (x < 0 || x >= width) return -1;
  return width - 1 - x;
}

std::wstring GraphTipText(const CulpritRecord& record, GraphKind kind, int processor, int age) {
  const std::optional<RecordedSample> sample = record.At(age);
  if (!sample) return {};
  std::wstring text;
  AppendTime(text, sample->figures.secondsOfDay);
  if (kind == GraphKind::kPageFile) {
    text += L"\r\n页面文件使用：" + std::to_wstring(sample->figures.pageFileMb) + L" MB";
    for (std::size_t i = 0; i < sample->memoryCount; ++i) {
      const RecordedSample::Entry& e = sample->memory[i];
      text += L"\r\n";
      AppendName(text, e.name);
      text += L" (" + std::to_wstring(e.pid) + L")  ";
      text += std::to_wstring(RoundedMb(e.figure)) + L" MB";
    }
    return text;
  }
  if (kind == GraphKind::kProcessor) {
    const std::size_t p = static_cast<std::size_t>(processor);
    if (processor < 0 || p >= sample->processorPercent.size()) return {};
    text += L"\r\nCPU " + std::to_wstring(processor) + L"：" +
            std::to_wstring(sample->processorPercent[p]) + L"%";
  } else {
    text += L"\r\nCPU 使用：" + std::to_wstring(sample->figures.cpuPercent) + L"%";
  }
  for (std::size_t i = 0; i < sample->cpuCount; ++i) {
    const RecordedSample::Entry& e = sample->cpu[i];
    text += L"\r\n";
    AppendName(text, e.name);
    text += L" (" + std::to_wstring(e.pid) + L")  ";
    text += std::to_wstring(procs::WholePercent(e.figure)) + L"%";
  }
  return text;
}

std::wstring BusiestLine(const procs::Culprit* busiest) {
  if (busiest == nullptr || procs::WholePercent(busiest->figure) == 0) return {};
  std::wstring line;
  busiest->name.AppendTo(line);
  return line + L" " + std::to_wstring(procs::WholePercent(busiest->figure)) + L"%";
}

}  // namespace perf
