#pragma once

#include <optional>
#include <string>

namespace corvane::testing {

// Pastes from the clipboard as another program would, asking for UTF-8 text: nullopt when
// nobody answers with text.
std::optional<std::string> PasteClipboard();

}  // namespace corvane::testing
