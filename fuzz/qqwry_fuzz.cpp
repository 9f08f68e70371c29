// Feeds arbitrary QQWry.Dat contents and address texts to the reader. An input is address
// lines, a 0 byte, then the file; without a 0 byte it is all file and fixed addresses serve.

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "geo/SEU_QQwry.h"

namespace {

// The reader opens files by path, so each input goes into one in-memory file, reached through
// /proc: libFuzzer ends without running exit handlers, and nothing is left on disk.
int ScratchFile() {
    static const int fd = ::memfd_create("corvane-fuzz-qqwry", MFD_CLOEXEC);
    return fd;
}

const std::string& ScratchPath() {
    static const std::string path = "/proc/self/fd/" + std::to_string(ScratchFile());
    return path;
}

bool WriteScratch(std::string_view bytes) {
    const int fd = ScratchFile();
    if (fd < 0 || ::ftruncate(fd, 0) != 0) {
        return false;
    }
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (count <= 0) {
            return false;
        }
        offset += count;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

std::vector<std::string_view> AddressLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            return lines;
        }
        text.remove_prefix(end + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> addresses = {"0.0.0.0", "1.2.3.4", "127.0.0.1", "255.255.255.255",
                                               "61.135.169.121"};
    std::string_view file = input;
    if (const std::size_t split = input.find('\0'); split != std::string_view::npos) {
        addresses = AddressLines(input.substr(0, split));
        file = input.substr(split + 1);
    }
    if (!WriteScratch(file)) {
        std::abort();
    }
    corvane::geo::SEU_QQwry reader;
    if (!reader.Open(ScratchPath())) {
        std::abort();
    }
    for (std::string_view address : addresses) {
        const std::string location = reader.Lookup(address);
        // Two strings of at most 51 bytes, each growing at most threefold in UTF-8.
        if (location.size() > 2 * 51 * 3 + 1) {
            std::abort();
        }
    }
    return 0;
}
