#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace corvane::net {

// How long a request may take before it fails. The defaults are WinHTTP's.
struct HttpLimits {
    std::chrono::milliseconds connect{60'000};
    // Without a single byte from the server, once the request has gone out.
    std::chrono::milliseconds idle{30'000};
    std::size_t maxBodyBytes = 16u * 1024u * 1024u;
};

// The one HTTP client: a GET of an absolute http or https URL, with the fixed user agent and
// no added header, that succeeds only on a final response whose raw header block holds
// " 200 OK". One object per operation and thread; never shared between threads.
class CWinHttpEx {
public:
    static constexpr std::string_view kUserAgent =
        "Mozilla/6.0 (compatible; MSIE 6.0; Windows 5.1)";

    explicit CWinHttpEx(HttpLimits limits = {});
    virtual ~CWinHttpEx();
    CWinHttpEx(const CWinHttpEx&) = delete;
    CWinHttpEx& operator=(const CWinHttpEx&) = delete;

    // On success `body` holds the body's raw bytes followed by one 0 byte (an empty body
    // gives a single 0 byte). On every failure it is empty. Callers decode the text up to
    // the first 0 byte: GBK unless DeclaredCharset() names another.
    bool Get(std::string_view url, std::string& body);

    // Ends the session; every later Get fails. Always true.
    bool Close();

    // The Content-Type of the last successful response ("" when it had none).
    const std::string& ContentType() const { return contentType_; }
    // Its charset parameter in lower case, "" when none was declared.
    std::string DeclaredCharset() const;

    // While `*flag` is true a Get in progress gives up within about 100 ms; lets a stopping
    // worker leave a slow request early. The flag must outlive the client.
    void SetCancelFlag(const std::atomic<bool>* flag) { cancel_ = flag; }

private:
    struct Session;
    std::unique_ptr<Session> session_;  // null once closed or when it failed to open
    HttpLimits limits_;
    const std::atomic<bool>* cancel_ = nullptr;
    std::string contentType_;
};

}  // namespace corvane::net
