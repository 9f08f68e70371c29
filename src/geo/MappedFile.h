#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace corvane::geo {

// A file mapped read-only for its whole life. Reading through the mapping costs no system call
// and no heap; the kernel pages the file in and out as needed.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or mapped; an empty file opens with no bytes.
    bool Open(const std::filesystem::path& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The mapped bytes that the file still holds. A file cut short on disk after it was mapped
    // shows only what remains, since touching a mapped page past the end raises SIGBUS.
    std::span<const std::uint8_t> Bytes() const;

private:
    int fd_ = -1;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace corvane::geo
