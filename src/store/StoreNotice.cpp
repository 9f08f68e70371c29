#include "store/StoreNotice.h"

#include <mutex>

namespace corvane::store {
namespace {

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

NoticeHandler& Handler() {
    static NoticeHandler handler;
    return handler;
}

}  // namespace

void SetNoticeHandler(NoticeHandler handler) {
    std::lock_guard lock(HandlerMutex());
    Handler() = std::move(handler);
}

void ShowStoreNotice(std::string_view caption, std::string_view text) {
    NoticeHandler handler;
    {
        std::lock_guard lock(HandlerMutex());
        handler = Handler();
    }
    if (handler) {
        handler(caption, text);
    }
}

}  // namespace corvane::store
