#include "host/net/test_servers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace {

const std::map<std::string, std::string>& fixture()
{
    static const auto values = [] {
        std::map<std::string, std::string> values;
        const char* file = std::getenv("TAVRIMO_NET_SERVERS");
        std::istringstream lines(file ? readFile(file) : "");
        for (std::string line; std::getline(lines, line);)
            if (auto eq = line.find('='); eq != std::string::npos)
                values[line.substr(0, eq)] = line.substr(eq + 1);
        return values;
    }();
    return values;
}

} // namespace

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string fixtureValue(const std::string& name)
{
    auto it = fixture().find(name);
    if (it != fixture().end())
        return it->second;
    ADD_FAILURE() << "no " << name << " in the file TAVRIMO_NET_SERVERS names (run the test through ctest)";
    return "";
}

Text hostAndPort(const std::string& listener) { return "127.0.0.1:" + fixtureValue(listener); }

ByteSet pattern(std::size_t size)
{
    ByteSet bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t((i * 31 + 7) % 251);
    return bytes;
}

WireLog::WireLog(std::string listener) : listener_(std::move(listener))
{
    while (exists(seen_ + 1))
        ++seen_;
}

std::vector<std::string> WireLog::since() const
{
    std::vector<std::string> heads;
    for (int n = seen_ + 1; exists(n); ++n)
        heads.push_back(readFile(record(n)));
    return heads;
}

std::string WireLog::record(int n) const
{
    char name[16];
    std::snprintf(name, sizeof name, "%06d.req", n);
    return fixtureValue("log") + "/" + listener_ + "/" + name;
}

bool WireLog::exists(int n) const { return std::ifstream(record(n)).is_open(); }

std::vector<std::string> headLines(const std::string& head)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = head.find("\r\n", start)) != std::string::npos && end != start; start = end + 2)
        lines.push_back(head.substr(start, end - start));
    return lines;
}
