#pragma once

#include <cstdint>
#include <span>

namespace corvane::geo {

// Little-endian reads at file offsets. A byte outside the file reads as 0, so a record that
// points past the end reads as zeros instead of leaving memory unread or stale.
class FileBytes {
public:
    explicit FileBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::int64_t size() const { return static_cast<std::int64_t>(bytes_.size()); }

    std::uint8_t Byte(std::int64_t offset) const {
        return offset >= 0 && offset < size() ? bytes_[static_cast<std::size_t>(offset)] : 0;
    }
    std::uint32_t Uint24(std::int64_t offset) const {
        return Byte(offset) | static_cast<std::uint32_t>(Byte(offset + 1)) << 8 |
               static_cast<std::uint32_t>(Byte(offset + 2)) << 16;
    }
    std::uint32_t Uint32(std::int64_t offset) const {
        return Uint24(offset) | static_cast<std::uint32_t>(Byte(offset + 3)) << 24;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace corvane::geo
