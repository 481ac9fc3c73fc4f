// The answer of the process query for a command line (class 60): a counted
// string (UNICODE_STRING, 64-bit) whose characters follow it in the same buffer;
// and where the command line lies in a process's memory, for systems without it.
// Decoded here, where the system's bytes are read without trusting its lengths.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace platform::command_line_layout {
inline constexpr std::uint32_t kProcessCommandLineInformation = 60;
inline constexpr std::size_t kLength = 0;  // bytes, not characters
inline constexpr std::size_t kBuffer = 8;  // address of the characters
inline constexpr std::size_t kHeaderSize = 16;

// Where systems without class 60 keep it: the process environment block's
// parameters (64-bit, and 32-bit for a process under WOW64).
inline constexpr std::uint32_t kProcessBasicInformation = 0;
inline constexpr std::uint32_t kProcessWow64Information = 26;
inline constexpr std::size_t kBasicInformationSize = 48;
inline constexpr std::size_t kBasicPebAddress = 8;
inline constexpr std::size_t kPebParameters = 0x20;
inline constexpr std::size_t kParametersCommandLine = 0x70;  // a counted string, as above
inline constexpr std::size_t kPeb32Parameters = 0x10;
inline constexpr std::size_t kParameters32CommandLine = 0x40;  // length, then a 32-bit address at +4

// The command line in buffer[0, filled); empty when the string does not lie
// wholly inside it.
inline std::optional<std::wstring> DecodeCommandLine(const std::byte* buffer, std::size_t filled) {
  if (filled < kHeaderSize) return std::nullopt;
  std::uint16_t length = 0;
  std::uint64_t address = 0;
  std::memcpy(&length, buffer + kLength, sizeof length);
  std::memcpy(&address, buffer + kBuffer, sizeof address);
  if (length == 0) return std::wstring();
  const auto base = reinterpret_cast<std::uintptr_t>(buffer);
  if (address < base || address - base > filled || filled - (address - base) < length)
    return std::nullopt;
  std::wstring text(length / 2, L'\0');
  const std::byte* chars = buffer + (address - base);
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint16_t c = 0;
    std::memcpy(&c, chars + 2 * i, sizeof c);
    text[i] = static_cast<wchar_t>(c);
  }
  return text;
}
}  // namespace platform::command_line_layout
