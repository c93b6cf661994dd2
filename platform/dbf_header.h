#pragma once
// Recognises a dBASE table by its header.
#include <cstdint>
#include <string_view>

namespace rt {

// The longest header a dBASE table can declare (its length is a 16-bit field).
constexpr std::size_t kMaxDbfHeaderLength = 0xFFFF;

// True when `leading` (the first bytes of a file, at least the whole header
// when the file has one) and `fileSize` describe a dBASE table: a known
// version byte, field descriptors closed by CR inside the declared header,
// a record length equal to the fields' lengths plus the deletion flag, and
// every declared record present. Memo flags and a missing end-of-file byte
// are accepted.
bool IsDbaseTable(std::string_view leading, std::uint64_t fileSize);

}  // namespace rt
