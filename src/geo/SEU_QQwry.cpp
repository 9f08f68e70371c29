#include "geo/SEU_QQwry.h"

#include <optional>

#include "geo/IpAddressText.h"
#include "geo/LocationRecord.h"
#include "platform/TextCodec.h"

namespace corvane::geo {
namespace {

constexpr std::int64_t kIndexRecordSize = 7;
constexpr std::size_t kMaxStringBytes = 51;

struct IndexEntry {
    std::uint32_t start;
    std::int64_t recordOffset;
};

IndexEntry ReadIndexEntry(const FileBytes& file, std::int64_t offset) {
    return {file.Uint32(offset), file.Uint24(offset + 4)};
}

// Offset just past the 0 byte that ends the string at `offset`, or nullopt when the file ends
// first.
std::optional<std::int64_t> PastTerminator(const FileBytes& file, std::int64_t offset) {
    for (; offset < file.size(); ++offset) {
        if (file.Byte(offset) == 0) {
            return offset + 1;
        }
    }
    return std::nullopt;
}

}  // namespace

bool SEU_QQwry::Open(const std::filesystem::path& path) {
    std::lock_guard lock(mutex_);
    open_ = file_.Open(path);
    firstIndexOffset_ = 0;
    lastIndexOffset_ = 0;
    if (open_) {
        const FileBytes file(file_.Bytes());
        firstIndexOffset_ = static_cast<std::int32_t>(file.Uint32(0));
        lastIndexOffset_ = static_cast<std::int32_t>(file.Uint32(4));
    }
    return open_;
}

std::string SEU_QQwry::Lookup(std::string_view addressText) {
    if (addressText.empty()) {
        return std::string(kEmptyAddress);
    }
    const std::uint32_t address = ParseIpAddress(addressText);
    std::lock_guard lock(mutex_);
    const FileBytes file(file_.Bytes());
    const auto index = FindRange(file, address);
    if (!index) {
        return std::string(kNotFound);
    }
    return ReadLocation(file, *index);
}

std::int64_t SEU_QQwry::IndexRecordOffset(std::uint32_t index) const {
    return firstIndexOffset_ + kIndexRecordSize * index;
}

std::optional<std::uint32_t> SEU_QQwry::FindRange(const FileBytes& file,
                                                  std::uint32_t address) const {
    const std::int64_t first = firstIndexOffset_;
    const std::int64_t last = lastIndexOffset_;
    if (!open_ || last < first || (last - first) / kIndexRecordSize + 1 < 2) {
        return std::nullopt;
    }
    const auto count = static_cast<std::uint32_t>((last - first) / kIndexRecordSize + 1);
    std::uint32_t lo = 0;
    std::uint32_t hi = count - 1;
    std::uint32_t mid = hi / 2;
    // Each pass either answers or narrows [lo, hi] by at least one record, so it ends.
    while (true) {
        const std::uint32_t start = file.Uint32(IndexRecordOffset(mid));
        // A range's start answers for itself without its end being compared.
        if (address == start) {
            return mid;
        }
        if (hi - lo <= 1) {
            for (std::uint32_t i = lo; i <= hi; ++i) {
                const IndexEntry entry = ReadIndexEntry(file, IndexRecordOffset(i));
                if (entry.start <= address && address <= file.Uint32(entry.recordOffset)) {
                    return i;
                }
            }
            return std::nullopt;
        }
        if (address > start) {
            lo = mid;
        } else {
            hi = mid;
        }
        mid = lo + (hi - lo) / 2;
    }
}

std::string SEU_QQwry::ReadLocation(const FileBytes& file, std::uint32_t index) const {
    const IndexEntry entry = ReadIndexEntry(file, IndexRecordOffset(index));
    const LocationRecord record = ReadLocationRecord(file, entry.recordOffset);
    if (record.layout == 0) {
        return std::string();
    }
    const std::string country = ReadString(file, record.countryOffset);
    std::string area;
    if (!record.areaFollowsCountry) {
        area = ReadString(file, record.areaOffset);
    } else if (record.countryOffset <= lastIndexOffset_) {
        // The area starts after the whole country, also when the country was cut short.
        if (const auto areaStart = PastTerminator(file, record.countryOffset)) {
            area = ReadString(file, *areaStart);
        }
    }
    return text::GbkToUtf8(country) + ' ' + text::GbkToUtf8(area);
}

std::string SEU_QQwry::ReadString(const FileBytes& file, std::int64_t offset) const {
    // Strings lie before the index; an offset past it marks a damaged record.
    if (offset > lastIndexOffset_ || offset < 0) {
        return std::string();
    }
    std::string bytes;
    for (; bytes.size() < kMaxStringBytes; ++offset) {
        const std::uint8_t byte = file.Byte(offset);
        if (byte == 0) {
            break;
        }
        bytes.push_back(static_cast<char>(byte));
    }
    // A string cut at the limit may end inside a double-byte character; drop that half.
    return bytes.size() == kMaxStringBytes ? text::GbkTruncateBytes(bytes, kMaxStringBytes) : bytes;
}

}  // namespace corvane::geo
