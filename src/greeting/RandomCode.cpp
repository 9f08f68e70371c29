#include "greeting/RandomCode.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <random>

namespace corvane::greeting {

std::string MakeRandomCode() {
    // A version-4 UUID is 122 random bits with fixed version and variant bits; the kernel's
    // generator behind std::random_device is all it needs.
    static std::mutex mutex;
    static std::random_device device;
    std::array<std::uint8_t, 16> bytes{};
    {
        std::lock_guard lock(mutex);
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            const std::uint32_t word = device();
            for (std::size_t j = 0; j < 4; ++j) {
                bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
            }
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    std::string code;
    code.reserve(32);
    for (std::uint8_t byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        code.append(digits, 2);
    }
    return code;
}

}  // namespace corvane::greeting
