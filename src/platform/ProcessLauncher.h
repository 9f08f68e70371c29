#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane::platform {

// Opens a URL the way the desktop would (the messenger registers its URL schemes there).
using UrlOpener = std::function<void(const std::string& url)>;

// Starts a program with these arguments (looked up on PATH, no shell involved) and returns
// at once; the child is reaped in the background. False when it could not be started.
bool LaunchDetached(const std::vector<std::string>& arguments);

// Hands the URL to xdg-open.
void OpenUrlWithDesktop(const std::string& url);

}  // namespace corvane::platform
