#include "geo/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace corvane::geo {

MappedFile::~MappedFile() {
    Close();
}

bool MappedFile::Open(const std::filesystem::path& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > 0) {
        void* mapping = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
        if (mapping == MAP_FAILED) {
            ::close(fd);
            return false;
        }
        // Lookups jump around the index; read-ahead of neighbouring pages only costs memory.
        ::madvise(mapping, size, MADV_RANDOM);
        data_ = static_cast<const std::uint8_t*>(mapping);
    }
    fd_ = fd;
    size_ = size;
    return true;
}

void MappedFile::Close() {
    if (data_ != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
        data_ = nullptr;
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    size_ = 0;
}

std::span<const std::uint8_t> MappedFile::Bytes() const {
    if (data_ == nullptr) {
        return {};
    }
    struct stat info {};
    std::size_t available = size_;
    if (::fstat(fd_, &info) == 0 && info.st_size >= 0) {
        available = std::min(available, static_cast<std::size_t>(info.st_size));
    }
    return {data_, available};
}

}  // namespace corvane::geo
