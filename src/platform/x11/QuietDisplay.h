#pragma once

#include <memory>

struct _XDisplay;

namespace corvane::platform::x11 {

struct DisplayCloser {
    void operator()(_XDisplay* display) const;
};
using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

// A connection to the X server whose protocol errors are ignored instead of ending the
// process: the windows driven belong to other programs and may vanish at any moment. Null
// when the display cannot be opened (`name` null: $DISPLAY).
DisplayPtr OpenQuietDisplay(const char* name);

}  // namespace corvane::platform::x11
