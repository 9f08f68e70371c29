#include "support/QqwryFixture.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "platform/TextCodec.h"

namespace corvane::testing {

void AppendUint32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(value >> shift & 0xFF));
    }
}

void AppendUint24(std::string& bytes, std::uint32_t value) {
    if (value > 0xFFFFFF) {
        throw std::length_error("QQWry offsets are 24 bits; the data area is too large");
    }
    for (int shift = 0; shift < 24; shift += 8) {
        bytes.push_back(static_cast<char>(value >> shift & 0xFF));
    }
}

std::uint32_t Ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(c) << 8 | d;
}

std::string Gbk(std::string_view utf8) {
    return text::Utf8ToGbk(utf8);
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::uint32_t QqwryFixture::Offset() const {
    return static_cast<std::uint32_t>(data_.size());
}

std::uint32_t QqwryFixture::AddString(std::string_view bytes) {
    const auto [found, inserted] = strings_.try_emplace(std::string(bytes), Offset());
    if (inserted) {
        data_.append(bytes);
        data_.push_back('\0');
    }
    return found->second;
}

std::uint32_t QqwryFixture::AddBytes(std::string_view bytes) {
    const std::uint32_t offset = Offset();
    data_.append(bytes);
    return offset;
}

std::string QqwryFixture::Redirect(std::uint8_t marker, std::uint32_t offset) {
    std::string bytes(1, static_cast<char>(marker));
    AppendUint24(bytes, offset);
    return bytes;
}

void QqwryFixture::AddRange(std::uint32_t start, std::uint32_t end, int layout,
                            std::string_view country, std::string_view area) {
    const std::string inlineCountry = std::string(country) + '\0';
    const std::string inlineArea = std::string(area) + '\0';
    std::string location;
    switch (layout) {
        case 0:
            location = Redirect(0x01, AddBytes(std::string(60, 'Z')));
            AddBytes(std::string(1, '\0'));
            break;
        case 1:
            location = inlineCountry + inlineArea;
            break;
        case 2:
            location = inlineCountry + Redirect(0x02, AddString(area));
            break;
        case 3:
            location = Redirect(0x02, AddString(country)) + inlineArea;
            break;
        case 4:
            location = Redirect(0x02, AddString(country)) + Redirect(0x02, AddString(area));
            break;
        case 5:
            location = Redirect(0x01, AddBytes(inlineCountry + inlineArea));
            break;
        case 6: {
            const std::string areaRedirect = Redirect(0x02, AddString(area));
            location = Redirect(0x01, AddBytes(inlineCountry + areaRedirect));
            break;
        }
        case 7: {
            const std::string countryRedirect = Redirect(0x02, AddString(country));
            location = Redirect(0x01, AddBytes(countryRedirect + inlineArea));
            break;
        }
        case 8: {
            const std::string countryRedirect = Redirect(0x02, AddString(country));
            const std::string areaRedirect = Redirect(0x02, AddString(area));
            location = Redirect(0x01, AddBytes(countryRedirect + areaRedirect));
            break;
        }
        default:
            throw std::invalid_argument("layout must be 0 to 8");
    }
    AddRawRange(start, end, location);
}

void QqwryFixture::AddRawRange(std::uint32_t start, std::uint32_t end,
                               std::string_view locationPart) {
    std::string record;
    AppendUint32(record, end);
    record.append(locationPart);
    index_.push_back({start, AddBytes(record)});
}

std::string QqwryFixture::Build() const {
    std::vector<IndexEntry> sorted = index_;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.start < b.start; });
    std::string file = data_;
    const auto first = static_cast<std::uint32_t>(file.size());
    for (const IndexEntry& entry : sorted) {
        AppendUint32(file, entry.start);
        AppendUint24(file, entry.recordOffset);
    }
    // With no records the last offset lies below the first, which reads as an empty index.
    const std::uint32_t last = first + 7 * static_cast<std::uint32_t>(sorted.size()) - 7;
    for (int i = 0; i < 4; ++i) {
        file[static_cast<std::size_t>(i)] = static_cast<char>(first >> (8 * i) & 0xFF);
        file[static_cast<std::size_t>(4 + i)] = static_cast<char>(last >> (8 * i) & 0xFF);
    }
    return file;
}

}  // namespace corvane::testing
