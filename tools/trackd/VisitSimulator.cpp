#include "VisitSimulator.h"

#include <array>
#include <chrono>
#include <random>
#include <string>
#include <utility>

#include "platform/LocalTime.h"

namespace corvane::trackd {
namespace {

constexpr std::array<const char*, 12> kNames = {"春风十里", "小桥流水",  "lucy_shop", "青青子衿",
                                                "阿飞正传", "tb_3391",   "海边的猫",  "王小二",
                                                "木子李",   "sunny2008", "夏天的风",  "陈大宝"};
// First octets of address blocks the IP database knows (Chinese provinces and cities).
constexpr std::array<int, 10> kFirstOctets = {58, 59, 60, 61, 110, 111, 113, 116, 202, 218};

}  // namespace

VisitSimulator::VisitSimulator(TrackdStore& store, std::int64_t webId, int visitsPerMinute,
                               std::string pageHost)
    : store_(store),
      webId_(webId),
      visitsPerMinute_(visitsPerMinute),
      pageHost_(std::move(pageHost)) {}

VisitSimulator::~VisitSimulator() {
    Stop();
}

void VisitSimulator::Start() {
    if (visitsPerMinute_ > 0 && !thread_.joinable()) {
        thread_ = std::thread([this] { Run(); });
    }
}

void VisitSimulator::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void VisitSimulator::Run() {
    std::mt19937 random{std::random_device{}()};
    const auto interval = std::chrono::milliseconds(60'000 / visitsPerMinute_);
    std::unique_lock lock(mutex_);
    // The first visit comes at once, so a client started beside the service has one to show.
    do {
        auto pick = [&random](int below) {
            return std::uniform_int_distribution<int>(0, below - 1)(random);
        };
        Visit visit;
        visit.visitor = kNames[static_cast<std::size_t>(pick(kNames.size()))];
        visit.visitor += std::to_string(pick(100));
        visit.ip =
            std::to_string(kFirstOctets[static_cast<std::size_t>(pick(kFirstOctets.size()))]) +
            "." + std::to_string(pick(256)) + "." + std::to_string(pick(256)) + "." +
            std::to_string(1 + pick(254));
        visit.page =
            "http://" + pageHost_ + "/item.htm?id=" + std::to_string(10000000 + pick(90000));
        visit.time = LocalTimeText(std::chrono::system_clock::now());
        store_.RecordVisit(webId_, visit);
        if (pick(3) == 0) {
            store_.AddOnlineName(visit.visitor);
        }
    } while (!wake_.wait_for(lock, interval, [this] { return stopping_; }));
}

}  // namespace corvane::trackd
