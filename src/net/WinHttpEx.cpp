#include "net/WinHttpEx.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "net/UrlParts.h"

namespace corvane::net {
namespace {

using SteadyClock = std::chrono::steady_clock;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What one Get collects; the callbacks below write into it.
struct Transfer {
    std::size_t maxBodyBytes = 0;
    std::string headers;  // the raw header block of the latest response in a redirect chain
    std::string body;
    bool requestSent = false;
    SteadyClock::time_point lastActivity = SteadyClock::now();
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    if (line.starts_with("HTTP/")) {
        transfer->headers.clear();
    }
    transfer->headers.append(line);
    transfer->lastActivity = SteadyClock::now();
    return line.size();
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->maxBodyBytes) {
        return 0;  // makes curl fail the transfer
    }
    transfer->body.append(data, bytes);
    transfer->lastActivity = SteadyClock::now();
    return bytes;
}

int OnRequestReady(void* user, char*, char*, int, int) {
    auto* transfer = static_cast<Transfer*>(user);
    transfer->requestSent = true;
    transfer->lastActivity = SteadyClock::now();
    return CURL_PREREQFUNC_OK;
}

}  // namespace

struct CWinHttpEx::Session {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* noAddedHeaders = nullptr;

    Session() {
        InitCurlOnce();
        easy = curl_easy_init();
        multi = curl_multi_init();
        // curl adds "Accept: */*" on its own; an empty value removes it.
        noAddedHeaders = curl_slist_append(nullptr, "Accept:");
    }
    ~Session() {
        if (multi != nullptr) {
            curl_multi_cleanup(multi);
        }
        if (easy != nullptr) {
            curl_easy_cleanup(easy);
        }
        curl_slist_free_all(noAddedHeaders);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool IsOpen() const { return easy != nullptr && multi != nullptr && noAddedHeaders != nullptr; }
};

CWinHttpEx::CWinHttpEx(HttpLimits limits) : session_(std::make_unique<Session>()), limits_(limits) {
    if (!session_->IsOpen()) {
        Close();
    }
}

CWinHttpEx::~CWinHttpEx() = default;

bool CWinHttpEx::Close() {
    session_.reset();
    return true;
}

bool CWinHttpEx::Get(std::string_view url, std::string& body) {
    body.clear();
    contentType_.clear();
    if (session_ == nullptr || !CrackUrl(url)) {
        return false;
    }
    CURL* easy = session_->easy;
    Transfer transfer;
    transfer.maxBodyBytes = limits_.maxBodyBytes;
    const std::string urlText(url);
    const std::string userAgent(kUserAgent);

    curl_easy_setopt(easy, CURLOPT_URL, urlText.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, session_->noAddedHeaders);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connect.count()));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(limits_.maxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnRequestReady);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &transfer);

    // Driven through the multi interface so that the idle limit and the cancel flag are
    // checked at millisecond resolution (curl's own low-speed limit counts whole seconds).
    CURLM* multi = session_->multi;
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
        return false;
    }
    bool aborted = false;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            aborted = true;
            break;
        }
        if (running == 0) {
            break;
        }
        const auto now = SteadyClock::now();
        const auto idleFor =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - transfer.lastActivity);
        if ((transfer.requestSent && idleFor >= limits_.idle) ||
            (cancel_ != nullptr && cancel_->load())) {
            aborted = true;
            break;
        }
        std::chrono::milliseconds wait{100};
        if (transfer.requestSent) {
            wait = std::min(wait, limits_.idle - idleFor);
        }
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::max<long long>(1, wait.count())),
                        nullptr);
    }
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
            result = message->data.result;
        }
    }
    curl_multi_remove_handle(multi, easy);
    if (aborted || result != CURLE_OK) {
        return false;
    }
    if (transfer.headers.find(" 200 OK") == std::string::npos) {
        return false;
    }
    char* contentType = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK &&
        contentType != nullptr) {
        contentType_ = contentType;
    }
    body = std::move(transfer.body);
    body.push_back('\0');
    return true;
}

std::string CWinHttpEx::DeclaredCharset() const {
    std::string lowered = contentType_;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = lowered.find("charset=");
    if (at == std::string::npos) {
        return {};
    }
    std::string charset = lowered.substr(at + 8);
    charset = charset.substr(0, charset.find_first_of("; \t"));
    std::erase(charset, '"');
    return charset;
}

}  // namespace corvane::net
