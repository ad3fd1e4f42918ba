#include "products/server/server_log.h"

#include <windows.h>

#include <cstdio>

namespace chat {

void logLine(std::string_view text)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::printf("[%02u:%02u:%02u] %.*s\n", now.wHour, now.wMinute, now.wSecond, static_cast<int>(text.size()), text.data());
    std::fflush(stdout);
}

}  // namespace chat
