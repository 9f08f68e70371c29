#include "platform/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <utility>

namespace corvane::text {
namespace {

// Owns one iconv descriptor; iconv_t is not safe to share between threads.
class IconvHandle {
public:
    IconvHandle(const std::string& from, const std::string& to)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(cd_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Descriptors are cached per thread: opening one costs more than converting a short text.
IconvHandle* CachedHandle(const std::string& from, const std::string& to) {
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<IconvHandle>> cache;
    auto key = std::make_pair(from, to);
    auto found = cache.find(key);
    if (found == cache.end()) {
        found = cache.emplace(key, std::make_unique<IconvHandle>(from, to)).first;
    }
    return found->second->valid() ? found->second.get() : nullptr;
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

bool IsUtf8Charset(const std::string& charset) {
    return charset == "UTF-8" || charset == "utf-8";
}

std::string Convert(IconvHandle& handle, std::string_view input, bool inputIsUtf8) {
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    std::string output;
    output.reserve(input.size() * 2 + 4);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t result = iconv(handle.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ: a byte that does not decode or a character the target cannot hold.
        // EINVAL: an incomplete sequence at the end.
        output.push_back('?');
        std::size_t skip = inputIsUtf8 ? Utf8SequenceLength(static_cast<unsigned char>(*in)) : 1;
        if (errno == EINVAL || skip > inLeft) {
            skip = inLeft;
        }
        in += skip;
        inLeft -= skip;
        iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    }
    {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(handle.get(), nullptr, nullptr, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
    }
    return output;
}

}  // namespace

std::optional<std::string> ConvertCharset(std::string_view input, const std::string& fromCharset,
                                          const std::string& toCharset) {
    IconvHandle* handle = CachedHandle(fromCharset, toCharset);
    if (handle == nullptr) {
        return std::nullopt;
    }
    return Convert(*handle, input, IsUtf8Charset(fromCharset));
}

std::string GbkToUtf8(std::string_view gbk) {
    return ConvertCharset(gbk, "GBK", "UTF-8").value_or(std::string());
}

std::string Utf8ToGbk(std::string_view utf8) {
    return ConvertCharset(utf8, "UTF-8", "GBK").value_or(std::string());
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count) {
        i += Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    }
    return count;
}

std::string Utf8Left(std::string_view utf8, std::size_t maxChars) {
    std::size_t i = 0;
    for (std::size_t chars = 0; i < utf8.size() && chars < maxChars; ++chars) {
        i += Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    }
    return std::string(utf8.substr(0, std::min(i, utf8.size())));
}

std::string Utf8TruncateBytes(std::string_view utf8, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < utf8.size()) {
        std::size_t next = end + Utf8SequenceLength(static_cast<unsigned char>(utf8[end]));
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return std::string(utf8.substr(0, std::min(end, utf8.size())));
}

std::string GbkTruncateBytes(std::string_view gbk, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < gbk.size()) {
        std::size_t width = static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
        if (end + width > maxBytes) {
            break;
        }
        end += width;
    }
    return std::string(gbk.substr(0, std::min(end, gbk.size())));
}

}  // namespace corvane::text
