#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::testing {

// Writes files in the QQWry.Dat format: the 8-byte header, the data records and the strings
// they point to, then the 7-byte index records sorted by start address. Every record shape the
// reader knows can be produced, and the bytes can be damaged afterwards to make bad files.
class QqwryFixture {
public:
    // Appends `bytes` and a 0 byte to the data area; equal strings are stored once.
    std::uint32_t AddString(std::string_view bytes);
    // Appends raw bytes to the data area, without a terminator.
    std::uint32_t AddBytes(std::string_view bytes);

    // A range whose data record has the given layout (0 to 8, as the reader numbers them).
    // Country and area are GBK bytes. Layout 0 stores 60 unterminated bytes at A instead.
    void AddRange(std::uint32_t start, std::uint32_t end, int layout, std::string_view country,
                  std::string_view area);
    // A range whose data record is its end address followed by `locationPart` as given.
    void AddRawRange(std::uint32_t start, std::uint32_t end, std::string_view locationPart);

    // The whole file. The index follows the data area, so every string offset lies before it.
    std::string Build() const;

private:
    struct IndexEntry {
        std::uint32_t start;
        std::uint32_t recordOffset;
    };
    std::uint32_t Offset() const;
    std::string Redirect(std::uint8_t marker, std::uint32_t offset);

    std::string data_ = std::string(8, '\0');
    std::unordered_map<std::string, std::uint32_t> strings_;
    std::vector<IndexEntry> index_;
};

std::uint32_t Ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);
std::string Gbk(std::string_view utf8);
void AppendUint32(std::string& bytes, std::uint32_t value);
void AppendUint24(std::string& bytes, std::uint32_t value);
// Writes the bytes to a file; throws std::runtime_error when it cannot.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace corvane::testing
