#pragma once
// A URL as the HTTP client sees it: canonicalised, then split into the parts a
// fetch needs. Nothing is escaped or unescaped on the way.

#include <windows.h>
#include <wininet.h>

#include <optional>

#include "host/types.h"

struct UrlParts {
    INTERNET_SCHEME scheme;
    Text host;
    INTERNET_PORT port; // the scheme's default when the URL names none
    Text user;
    Text password;
    Text path; // query and fragment included
};

// "." and ".." segments resolved; spaces, bytes 0x80-0xFF and percent escapes
// unchanged. Nothing when the client cannot canonicalise the URL.
std::optional<Text> canonicalUrl(const Text& url);

// Nothing when the URL cannot be split or a part is longer than its buffer:
// 255 bytes of host name, 2,047 of path, 127 each of user name and password.
std::optional<UrlParts> splitUrl(const Text& url);
