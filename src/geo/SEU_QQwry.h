#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "geo/FileBytes.h"
#include "geo/MappedFile.h"

namespace corvane::geo {

// Reads visitor locations from QQWry.Dat: an 8-byte header (offsets of the first and last
// 7-byte index records), index records sorted by the start address of their range, and data
// records holding each range's end address and its GBK country and area strings.
class SEU_QQwry {
public:
    SEU_QQwry() = default;
    SEU_QQwry(const SEU_QQwry&) = delete;
    SEU_QQwry& operator=(const SEU_QQwry&) = delete;

    // False when the file cannot be opened; every lookup then finds nothing.
    bool Open(const std::filesystem::path& path);

    // "country area" in UTF-8 for a dotted address, "请输入IP地址" for an empty text and
    // "没有查到相关信息" when no range holds the address. Safe to call from several threads.
    std::string Lookup(std::string_view addressText);

    static constexpr std::string_view kEmptyAddress = "请输入IP地址";
    static constexpr std::string_view kNotFound = "没有查到相关信息";

private:
    std::optional<std::uint32_t> FindRange(const FileBytes& file, std::uint32_t address) const;
    std::int64_t IndexRecordOffset(std::uint32_t index) const;
    std::string ReadLocation(const FileBytes& file, std::uint32_t index) const;
    std::string ReadString(const FileBytes& file, std::int64_t offset) const;

    // Lookups read the header fields while Open may replace them.
    std::mutex mutex_;
    MappedFile file_;
    bool open_ = false;
    std::int32_t firstIndexOffset_ = 0;
    std::int32_t lastIndexOffset_ = 0;
};

}  // namespace corvane::geo
