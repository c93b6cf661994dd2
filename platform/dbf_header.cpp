#include "platform/dbf_header.h"

#include <algorithm>
#include <array>

namespace rt {

namespace {

constexpr std::size_t kPrologLength = 32;
constexpr std::size_t kDescriptorLength = 32;
constexpr char kDescriptorEnd = 0x0D;

// dBASE III/IV and FoxPro tables, with and without memo (and SQL) flags.
constexpr std::array<unsigned char, 11> kKnownVersions{0x03, 0x30, 0x31, 0x32, 0x43, 0x63,
                                                       0x83, 0x8B, 0xCB, 0xF5, 0xFB};

unsigned Byte(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
unsigned Word(std::string_view bytes, std::size_t at) { return Byte(bytes, at) | Byte(bytes, at + 1) << 8; }
std::uint32_t Long(std::string_view bytes, std::size_t at) {
    return Word(bytes, at) | static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}

// Character fields longer than 255 keep the high byte of their length where
// other fields keep the number of decimals.
unsigned FieldLength(std::string_view descriptor) {
    const unsigned length = Byte(descriptor, 16);
    return descriptor[11] == 'C' ? length + (Byte(descriptor, 17) << 8) : length;
}

// Sum of the field lengths, or 0 when the descriptors are not closed by CR
// inside the header or a field is empty.
std::uint64_t FieldsLength(std::string_view header) {
    std::uint64_t total = 0;
    std::size_t at = kPrologLength;
    for (; at < header.size() && header[at] != kDescriptorEnd; at += kDescriptorLength) {
        if (at + kDescriptorLength > header.size()) return 0;
        const unsigned length = FieldLength(header.substr(at, kDescriptorLength));
        if (length == 0) return 0;
        total += length;
    }
    return at < header.size() ? total : 0;
}

}  // namespace

bool IsDbaseTable(std::string_view leading, std::uint64_t fileSize) {
    if (leading.size() < kPrologLength || fileSize < kPrologLength) return false;
    if (std::find(kKnownVersions.begin(), kKnownVersions.end(), Byte(leading, 0)) == kKnownVersions.end())
        return false;
    const std::size_t headerLength = Word(leading, 8);
    const unsigned recordLength = Word(leading, 10);
    const std::uint32_t records = Long(leading, 4);
    if (headerLength > fileSize || headerLength > leading.size()) return false;
    const std::uint64_t fields = FieldsLength(leading.substr(0, headerLength));
    if (fields == 0 || fields + 1 != recordLength) return false;
    return fileSize >= headerLength + static_cast<std::uint64_t>(records) * recordLength;
}

}  // namespace rt
