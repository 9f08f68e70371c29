// Writes the seed corpus of the QQWry fuzz target: fixture files of every layout, a larger
// index, and damaged files, each after the address lines that reach its records.

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/QqwryFixture.h"

namespace {

using corvane::testing::Ipv4;
using corvane::testing::QqwryFixture;

std::string Seed(const std::string& addresses, const std::string& file) {
    return addresses + '\0' + file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_qqwry_seeds CORPUS_DIR\n");
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    std::filesystem::create_directories(corpus);

    QqwryFixture layouts;
    std::string layoutAddresses;
    for (int layout = 0; layout <= 8; ++layout) {
        const auto start = Ipv4(10, static_cast<std::uint8_t>(layout), 0, 0);
        layouts.AddRange(start, start + 255, layout, corvane::testing::Gbk("北京市"),
                         layout % 2 == 0 ? std::string("\x01zone") : std::string());
        layoutAddresses += "10." + std::to_string(layout) + ".0.7\n";
    }
    layoutAddresses += "10.3.0\n300.1.1.1.9\n";
    const std::string layoutFile = layouts.Build();

    QqwryFixture wide;
    for (std::uint32_t i = 0; i < 40; ++i) {
        wide.AddRange(i << 26, (i << 26) + 1000, 1 + static_cast<int>(i % 8), std::string(60, 'C'),
                      "a");
    }
    const std::string wideFile = wide.Build();

    const struct {
        const char* name;
        std::string bytes;
    } seeds[] = {
        {"layouts", Seed(layoutAddresses, layoutFile)},
        {"wide", Seed("4.0.0.9\n8.0.3.232\n0.0.0.0\n252.0.0.1", wideFile)},
        {"cut-index", Seed(layoutAddresses, layoutFile.substr(0, layoutFile.size() - 10))},
        {"cut-data", Seed(layoutAddresses, layoutFile.substr(0, 40))},
        {"file-only", layoutFile},
    };
    for (const auto& seed : seeds) {
        corvane::testing::WriteFileBytes(corpus / seed.name, seed.bytes);
    }
    return 0;
}
