#include "host/net/url_parts.h"

namespace {

// Wine's InternetCanonicalizeUrlA sizes its result in characters, not bytes,
// and so cuts short a URL holding two-byte characters. The client is therefore
// handed ASCII only: '%' and every byte 0x80-0xFF go in as escapes and come
// back out as the bytes they were. Since every '%' it sees is one of ours,
// the URL's own escapes come back unchanged.
bool isHidden(unsigned char c) { return c == '%' || c >= 0x80; }

Text hideBytes(const Text& url)
{
    static const char hex[] = "0123456789ABCDEF";
    Text hidden;
    for (unsigned char c : url) {
        if (isHidden(c))
            hidden += {'%', hex[c >> 4], hex[c & 15]};
        else
            hidden += char(c);
    }
    return hidden;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

Text restoreBytes(const Text& hidden)
{
    Text url;
    for (std::size_t i = 0; i < hidden.size(); ++i) {
        if (hidden[i] == '%' && i + 2 < hidden.size()) {
            const int high = hexValue(hidden[i + 1]);
            const int low = hexValue(hidden[i + 2]);
            if (high >= 0 && low >= 0 && isHidden((unsigned char)(high * 16 + low))) {
                url += char(high * 16 + low);
                i += 2;
                continue;
            }
        }
        url += hidden[i];
    }
    return url;
}

} // namespace

std::optional<Text> canonicalUrl(const Text& url)
{
    // Without ICU_NO_ENCODE the client would escape spaces and other unsafe bytes.
    constexpr DWORD flags = ICU_NO_ENCODE;
    const Text hidden = hideBytes(url);
    Text canonical(hidden.size() + 1, '\0');
    DWORD size = DWORD(canonical.size());
    if (!InternetCanonicalizeUrlA(hidden.c_str(), canonical.data(), &size, flags)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
        canonical.assign(size + 1, '\0');
        size = DWORD(canonical.size());
        if (!InternetCanonicalizeUrlA(hidden.c_str(), canonical.data(), &size, flags))
            return std::nullopt;
    }
    canonical.resize(size);
    return restoreBytes(canonical);
}

std::optional<UrlParts> splitUrl(const Text& url)
{
    char host[256];
    char user[128];
    char password[128];
    char path[2048];
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUserName = user;
    parts.dwUserNameLength = sizeof user;
    parts.lpszPassword = password;
    parts.dwPasswordLength = sizeof password;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    // No ICU_DECODE: the parts keep their escapes. Extra info is not asked for,
    // so the path keeps the query and the fragment.
    if (!InternetCrackUrlA(url.c_str(), 0, 0, &parts))
        return std::nullopt;
    return UrlParts{parts.nScheme,
                    Text(host, parts.dwHostNameLength),
                    parts.nPort,
                    Text(user, parts.dwUserNameLength),
                    Text(password, parts.dwPasswordLength),
                    Text(path, parts.dwUrlPathLength)};
}
