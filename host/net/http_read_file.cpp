#include "host/net/http_read_file.h"

#include <algorithm>
#include <charconv>

#include "host/net/internet_handle.h"
#include "host/net/url_parts.h"

namespace {

constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr char kAcceptHeader[] = "Accept: */*";
constexpr DWORD kUnannouncedReadSize = 10240;
constexpr DWORD kLargestReadSize = 102400;

// Opened on the first call and kept for the life of the process; the static's
// destructor closes it at exit. An open that failed is tried again next call.
HINTERNET processInternet()
{
    static InternetHandle internet;
    if (!internet)
        internet = InternetHandle(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    return internet.get();
}

bool isWebScheme(INTERNET_SCHEME scheme) { return scheme == INTERNET_SCHEME_HTTP || scheme == INTERNET_SCHEME_HTTPS; }

InternetHandle connect(HINTERNET internet, const UrlParts& url)
{
    InternetHandle connection(InternetConnectA(internet, url.host.c_str(), url.port, url.user.c_str(),
                                               url.password.c_str(), INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return connection;
    // We name no proxy of our own, so the session follows the system's proxy
    // configuration (direct where it has none), without proxy credentials.
    INTERNET_PROXY_INFO systemProxy{INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr};
    InternetSetOptionA(internet, INTERNET_OPTION_PROXY, &systemProxy, sizeof systemProxy);
    char none[] = "";
    InternetSetOptionA(connection.get(), INTERNET_OPTION_PROXY_USERNAME, none, sizeof none);
    InternetSetOptionA(connection.get(), INTERNET_OPTION_PROXY_PASSWORD, none, sizeof none);
    return connection;
}

InternetHandle openRequest(HINTERNET connection, const UrlParts& url)
{
    // The fragment is for the reader of the page, never for the server.
    const Text target = url.path.substr(0, url.path.find('#'));
    const char* anyMediaType[] = {"*/*", nullptr};
    // Always from the server and never into a cache: the version text must be fresh each time.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (url.scheme == INTERNET_SCHEME_HTTPS)
        flags |= INTERNET_FLAG_SECURE;
    return InternetHandle(
        HttpOpenRequestA(connection, "GET", target.c_str(), "HTTP/1.0", nullptr, anyMediaType, flags, 0));
}

// Content-Length only sizes the reads, so that a file under 102,400 bytes
// normally comes in one piece; it never limits what is read.
DWORD readSize(HINTERNET request)
{
    char value[32];
    DWORD size = sizeof value;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr))
        return kUnannouncedReadSize;
    unsigned long long length = 0;
    const std::errc error = std::from_chars(value, value + size, length).ec;
    if (error == std::errc::result_out_of_range)
        return kLargestReadSize;
    if (error != std::errc() || length == 0)
        return kUnannouncedReadSize;
    return DWORD(std::min<unsigned long long>(length, kLargestReadSize - 1) + 1);
}

// Reads until the client reports the end (a read of 0 bytes) or a read fails;
// what arrived before a failure is kept.
ByteSet readToEnd(HINTERNET request, DWORD pieceSize)
{
    ByteSet body;
    for (;;) {
        const std::size_t had = body.size();
        body.resize(had + pieceSize);
        DWORD got = 0;
        const bool ok = InternetReadFile(request, body.data() + had, pieceSize, &got);
        body.resize(had + (ok ? got : 0));
        if (!ok || got == 0)
            return body;
    }
}

} // namespace

ByteSet httpReadFile(const Text& url)
{
    if (url.empty())
        return {};
    const auto canonical = canonicalUrl(url);
    const auto parts = canonical ? splitUrl(*canonical) : std::nullopt;
    if (!parts || !isWebScheme(parts->scheme))
        return {};
    const HINTERNET internet = processInternet();
    if (!internet)
        return {};
    const InternetHandle connection = connect(internet, *parts);
    if (!connection)
        return {};
    const InternetHandle request = openRequest(connection.get(), *parts);
    if (!request || !HttpSendRequestA(request.get(), kAcceptHeader, sizeof kAcceptHeader - 1, nullptr, 0))
        return {};
    return readToEnd(request.get(), readSize(request.get()));
}
