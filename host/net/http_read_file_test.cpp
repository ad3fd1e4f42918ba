// Runs against real servers on 127.0.0.1, started for the run by a ctest
// fixture (test_servers.h): nginx serving the update folder by GBK names, and
// a scripted server that records the raw bytes of every request and gives the
// answers a file server will not, over plain HTTP and over TLS.
#include "host/net/http_read_file.h"

#include <windows.h>
#include <wincrypt.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>

#include "host/net/test_servers.h"

namespace {

ByteSet bytesOf(std::string_view s) { return ByteSet(s.begin(), s.end()); }

Text plainUrl(const Text& path) { return "http://" + hostAndPort("plain") + path; }

// Large bodies are compared without printing them.
testing::AssertionResult sameBytes(const ByteSet& got, const ByteSet& want)
{
    if (got == want)
        return testing::AssertionSuccess();
    auto g = std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first;
    return testing::AssertionFailure() << "got " << got.size() << " bytes, want " << want.size()
                                       << "; first difference at offset " << (g - got.begin());
}

std::string requestLine(const std::string& head)
{
    auto lines = headLines(head);
    return lines.empty() ? "" : lines[0];
}

// The request line, then exactly these headers in any order: no referrer, no
// credentials, no cookies, no cache directives.
void expectTheAgreedHead(const std::string& head, const Text& target, const std::string& listener)
{
    auto lines = headLines(head);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "GET " + target + " HTTP/1.0");
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()),
              (std::vector<std::string>{"Accept: */*", "Host: " + hostAndPort(listener),
                                        "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"}));
}

// Expects `url` to give nothing without a connection to the plain listener. A
// second fetch follows it: connections are recorded in the order they are
// accepted, so one made by the first call would be recorded before it.
void expectNothingReachesTheServer(const Text& url)
{
    WireLog wire("plain");
    EXPECT_TRUE(httpReadFile(url).empty());
    EXPECT_EQ(httpReadFile(plainUrl("/after")), bytesOf("ok"));
    auto heads = wire.since();
    ASSERT_EQ(heads.size(), 1u) << "connections made while fetching " << url;
    EXPECT_EQ(requestLine(heads[0]), "GET /after HTTP/1.0");
}

// The test's own certificate, trusted as a root of the current user in the
// test's Wine prefix for the life of this object. Each change is committed at
// once: the client reads the root store from the registry.
class TrustedRoot {
public:
    explicit TrustedRoot(const std::string& der) : store_(CertOpenSystemStoreA(0, "ROOT"))
    {
        if (store_ && CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING,
                                                       reinterpret_cast<const BYTE*>(der.data()), DWORD(der.size()),
                                                       CERT_STORE_ADD_REPLACE_EXISTING, &certificate_))
            CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
    }
    ~TrustedRoot()
    {
        if (certificate_ && CertDeleteCertificateFromStore(certificate_))
            CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
        if (store_)
            CertCloseStore(store_, 0);
    }
    TrustedRoot(const TrustedRoot&) = delete;
    TrustedRoot& operator=(const TrustedRoot&) = delete;

    bool trusted() const { return certificate_ != nullptr; }

private:
    HCERTSTORE store_;
    PCCERT_CONTEXT certificate_ = nullptr;
};

// Before any test: the client builds its view of the root store once per process.
class TrustTheTestCertificate : public testing::Environment {
public:
    void SetUp() override
    {
        root_.emplace(readFile(fixtureValue("trusted_certificate")));
        ASSERT_TRUE(root_->trusted()) << "could not add the test certificate to the root store";
    }
    void TearDown() override { root_.reset(); }

private:
    std::optional<TrustedRoot> root_;
};
testing::Environment* const trustTheTestCertificate = testing::AddGlobalTestEnvironment(new TrustTheTestCertificate);

TEST(HttpReadFile, SendsOneGetWithTheAgreedHead)
{
    WireLog wire("plain");
    EXPECT_EQ(httpReadFile(plainUrl("/wire/head.txt")), bytesOf("ok"));
    auto heads = wire.since();
    ASSERT_EQ(heads.size(), 1u);
    expectTheAgreedHead(heads[0], "/wire/head.txt", "plain");
}

struct TargetCase {
    const char* name;
    Text path;   // as given in the URL
    Text target; // as it reaches the server
};
void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.name; }

class RequestTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(RequestTarget, IsThePathWithDotSegmentsResolvedAndNoFragment)
{
    WireLog wire("plain");
    EXPECT_EQ(httpReadFile(plainUrl(GetParam().path)), bytesOf("ok"));
    auto heads = wire.since();
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_EQ(requestLine(heads[0]), "GET " + GetParam().target + " HTTP/1.0");
}

// Wine's client itself writes a space as %20 and the other bytes as given.
INSTANTIATE_TEST_SUITE_P(
    Paths, RequestTarget,
    testing::Values(TargetCase{"NoPath", "", "/"},
                    TargetCase{"DotSegments", "/a/./b/../c.txt", "/a/c.txt"},
                    TargetCase{"EscapesKept", "/a%20b/%E4%B8%AD%2e.txt", "/a%20b/%E4%B8%AD%2e.txt"},
                    TargetCase{"UnsafeBytesKept", "/{a}|b^[c]`<d>.txt", "/{a}|b^[c]`<d>.txt"},
                    TargetCase{"Query", "/v.txt?x=1&y=a%2Fb", "/v.txt?x=1&y=a%2Fb"},
                    TargetCase{"Fragment", "/v.txt#part", "/v.txt"},
                    TargetCase{"FragmentAfterQuery", "/v.txt?x=1#part?y=2", "/v.txt?x=1"},
                    TargetCase{"GbkAndSpaces", "/Tavrimo - 安装向导.txt", "/Tavrimo%20-%20安装向导.txt"},
                    TargetCase{"LongestPath", "/" + Text(2046, 'p'), "/" + Text(2046, 'p')}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitCase {
    const char* name;
    Text userInfo; // with its "@"
    Text host;
    Text path;
    ByteSet body; // empty: nothing may reach the server
};
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class PartLimits : public testing::TestWithParam<LimitCase> {};

// 255 bytes of host, 127 of user name or password and 2,047 of path (query
// included) fit; one byte more and nothing is fetched.
TEST_P(PartLimits, LongerPartsAreNotFetched)
{
    const auto& c = GetParam();
    const Text url = "http://" + c.userInfo + c.host + ":" + fixtureValue("plain") + c.path;
    if (c.body.empty())
        expectNothingReachesTheServer(url);
    else
        EXPECT_EQ(httpReadFile(url), c.body);
}

// 127.0.0.1 spelt with leading zeros (octal 1), as long as needed.
Text loopbackOfLength(std::size_t length) { return "127.0.0." + Text(length - 9, '0') + "1"; }

INSTANTIATE_TEST_SUITE_P(
    Boundaries, PartLimits,
    testing::Values(LimitCase{"Host255", "", loopbackOfLength(255), "/limit", bytesOf("ok")},
                    LimitCase{"Host256", "", loopbackOfLength(256), "/limit", {}},
                    LimitCase{"User127", Text(127, 'u') + ":p@", "127.0.0.1", "/auth", bytesOf(Text(127, 'u') + ":p")},
                    LimitCase{"User128", Text(128, 'u') + ":p@", "127.0.0.1", "/auth", {}},
                    LimitCase{"Password127", "u:" + Text(127, 'p') + "@", "127.0.0.1", "/auth",
                              bytesOf("u:" + Text(127, 'p'))},
                    LimitCase{"Password128", "u:" + Text(128, 'p') + "@", "127.0.0.1", "/auth", {}},
                    LimitCase{"Path2047", "", "127.0.0.1", "/" + Text(2046, 'p'), bytesOf("ok")},
                    LimitCase{"Path2048", "", "127.0.0.1", "/" + Text(2047, 'p'), {}},
                    LimitCase{"PathWithQuery2048", "", "127.0.0.1", "/limit?" + Text(2041, 'q'), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpReadFile, OtherSchemesAndEmptyUrlsReachNoServer)
{
    for (const Text& url : {Text(), "ftp://" + hostAndPort("plain") + "/v.txt", "gopher://" + hostAndPort("plain") + "/v",
                            "file://" + hostAndPort("plain") + "/v.txt"}) {
        SCOPED_TRACE(url);
        expectNothingReachesTheServer(url);
    }
}

struct BodyCase {
    const char* name;
    Text path;
    ByteSet body;
};
void PrintTo(const BodyCase& c, std::ostream* os) { *os << c.name; }

class ResponseBody : public testing::TestWithParam<BodyCase> {};

// Whatever the status, whatever Content-Length announced, and however the
// connection ended: the bytes that arrived.
TEST_P(ResponseBody, IsEveryByteThatArrived)
{
    EXPECT_TRUE(sameBytes(httpReadFile(plainUrl(GetParam().path)), GetParam().body));
}

INSTANTIATE_TEST_SUITE_P(
    Scripted, ResponseBody,
    testing::Values(BodyCase{"WithNulBytes", "/scripted/200/exact/1000", pattern(1000)},
                    BodyCase{"Empty", "/scripted/200/exact/0", {}},
                    BodyCase{"NotFoundPage", "/scripted/404/exact/700", pattern(700)},
                    BodyCase{"ServerErrorPage", "/scripted/500/none/700", pattern(700)},
                    BodyCase{"NoLength", "/scripted/200/none/30001", pattern(30001)},
                    BodyCase{"LengthLongerThanBody", "/scripted/200/5000/1000", pattern(1000)},
                    BodyCase{"ResetAfterTwoPieces", "/scripted/200/none/20480/reset", pattern(20480)},
                    BodyCase{"LengthAtThe32BitLimit", "/scripted/200/4294967295/1000", pattern(1000)},
                    BodyCase{"LengthBeyond64Bits", "/scripted/200/99999999999999999999/1000", pattern(1000)},
                    BodyCase{"Large", "/scripted/200/exact/1048593", pattern(1048593)},
                    BodyCase{"LargeNoLength", "/scripted/200/none/1048593", pattern(1048593)},
                    BodyCase{"LargeLengthLongerThanBody", "/scripted/200/2000000/1048593", pattern(1048593)}),
    [](const auto& info) { return std::string(info.param.name); });

bool isInTheCache(const Text& url)
{
    DWORD size = 0;
    return GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size) || GetLastError() != ERROR_FILE_NOT_FOUND;
}

// The scripted server marks its answer cacheable for a day: still each call
// asks the server, and no copy is kept.
TEST(HttpReadFile, EachCallIsARequestOfItsOwnAndNothingIsCached)
{
    WireLog wire("plain");
    const Text url = plainUrl("/twice.txt");
    DeleteUrlCacheEntryA(url.c_str()); // a copy left by an earlier run
    EXPECT_EQ(httpReadFile(url), bytesOf("ok"));
    EXPECT_EQ(httpReadFile(url), bytesOf("ok"));
    EXPECT_EQ(wire.since().size(), 2u);
    EXPECT_FALSE(isInTheCache(url));
}

TEST(HttpReadFile, FollowsRedirects)
{
    WireLog wire("plain");
    EXPECT_EQ(httpReadFile(plainUrl("/redirect")), bytesOf("ok"));
    auto heads = wire.since();
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(requestLine(heads[0]), "GET /redirect HTTP/1.0");
    EXPECT_EQ(requestLine(heads[1]), "GET /redirected HTTP/1.0");
}

TEST(HttpReadFile, AnswersAChallengeWithTheUrlCredentialsUnescaped)
{
    for (const Text& credentials : {Text("tavrimo:s3cret"), Text("a%20b:c%3Ad")}) {
        SCOPED_TRACE(credentials);
        EXPECT_EQ(httpReadFile("http://" + credentials + "@" + hostAndPort("plain") + "/auth"), bytesOf(credentials));
    }
}

TEST(UpdateServer, ServesTheWizardFilesByTheirGbkNames)
{
    const Text base = "http://" + hostAndPort("nginx");
    EXPECT_EQ(httpReadFile(base + "/Tavrimo - 安装向导.txt"), bytesOf("当前版本：1.2\r\n"));
    EXPECT_TRUE(sameBytes(httpReadFile(base + "/Tavrimo - 安装向导.zip"), pattern(150001)));
}

TEST(Https, SendsTheSameRequestOverTls)
{
    WireLog wire("trusted");
    EXPECT_EQ(httpReadFile("https://" + hostAndPort("trusted") + "/tls/head.txt#part"), bytesOf("ok"));
    auto heads = wire.since();
    ASSERT_EQ(heads.size(), 1u);
    expectTheAgreedHead(heads[0], "/tls/head.txt", "trusted");
}

TEST(Https, SendsNothingToAServerWithAnUntrustedCertificate)
{
    WireLog wire("untrusted");
    EXPECT_TRUE(httpReadFile("https://" + hostAndPort("untrusted") + "/secret.txt").empty());
    auto heads = wire.since();
    EXPECT_FALSE(heads.empty()) << "no TLS connection was made";
    for (const auto& head : heads)
        EXPECT_EQ(head, "");
}

} // namespace
