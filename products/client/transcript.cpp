#include "products/client/transcript.h"

#include <cstdio>
#include <string>

namespace chat {

namespace {

// A chat left open for days must not grow the control without bound.
constexpr int kMaxCharacters = 200000;

}  // namespace

void Transcript::attach(HWND edit)
{
    edit_ = edit;
    // The default limit (about 30,000 characters) would stop appending.
    SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);
}

void Transcript::append(std::string_view text)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char time[16];
    std::snprintf(time, sizeof time, "[%02u:%02u:%02u] ", now.wHour, now.wMinute, now.wSecond);
    const std::string line = time + std::string(text) + "\r\n";
    if (GetWindowTextLengthW(edit_) > kMaxCharacters)
        dropOldestHalf();
    // Positions in an edit control count characters, not GBK bytes.
    const int end = GetWindowTextLengthW(edit_);
    SendMessageA(edit_, EM_SETSEL, end, end);
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void Transcript::dropOldestHalf()
{
    const LRESULT lines = SendMessageA(edit_, EM_GETLINECOUNT, 0, 0);
    const LRESULT cut = SendMessageA(edit_, EM_LINEINDEX, lines / 2, 0);
    SendMessageA(edit_, EM_SETSEL, 0, cut);
    SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

}  // namespace chat
