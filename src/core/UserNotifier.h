#pragma once

#include <string>

namespace corvane {

// How workers reach the owner. The UI implements it; calls return at once from any thread.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;
    // Sound (when enabled) and the tray balloon.
    virtual void AlertUser(const std::string& text) = 0;
    // The status bar, for ten seconds.
    virtual void ShowStatusMessage(const std::string& text) = 0;
};

// How workers tell the visitor list what changed. Both calls block the worker until the UI
// thread has handled them, so the UI thread must never wait for a worker.
class VisitorListBridge {
public:
    virtual ~VisitorListBridge() = default;
    virtual void VisitorsChanged() = 0;
    virtual void OnlineStatusChanged() = 0;
};

}  // namespace corvane
