#pragma once

#include <string>

namespace corvane::greeting {

// A fresh random (version 4) UUID as 32 upper-case hexadecimal digits without separators.
// Safe to call from any thread.
std::string MakeRandomCode();

}  // namespace corvane::greeting
