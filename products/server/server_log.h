#pragma once

// The server's console: one time-stamped line per event, flushed at once so a
// redirected log is complete whenever someone reads it.

#include <string_view>

namespace chat {

void logLine(std::string_view text);

}  // namespace chat
