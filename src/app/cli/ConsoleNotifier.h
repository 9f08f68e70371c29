#pragma once

#include <cstdio>
#include <mutex>
#include <string>

#include "core/UserNotifier.h"

namespace corvane::cli {

// Prints each status text and alert as one line ("status: ..." / "alert: ..."); line breaks
// inside an alert become " / ". The visitor list has no face here.
class ConsoleNotifier final : public UserNotifier, public VisitorListBridge {
public:
    explicit ConsoleNotifier(std::FILE* out = stdout) : out_(out) {}

    void AlertUser(const std::string& text) override { Print("alert", text); }
    void ShowStatusMessage(const std::string& text) override { Print("status", text); }
    void VisitorsChanged() override {}
    void OnlineStatusChanged() override {}

private:
    void Print(const char* kind, const std::string& text);

    std::FILE* out_;
    std::mutex mutex_;
};

}  // namespace corvane::cli
