#include "app/cli/ConsoleNotifier.h"

namespace corvane::cli {

void ConsoleNotifier::Print(const char* kind, const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            line += " / ";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            line += " / ";
        } else {
            line += text[i];
        }
    }
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s: %s\n", kind, line.c_str());
    std::fflush(out_);
}

}  // namespace corvane::cli
