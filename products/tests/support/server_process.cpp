#include "products/tests/support/server_process.h"

#include "products/tests/support/loopback.h"
#include "products/tests/support/products_folder.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace chat::test {

namespace {

constexpr int kStartAttempts = 300;
constexpr DWORD kStartPauseMs = 100;

std::uint16_t freeLoopbackPort()
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = loopbackAddress(0);
    int length = sizeof address;
    const bool ok = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    closesocket(probe);
    if (!ok)
        throw std::runtime_error("no free loopback port");
    return ntohs(address.sin_port);
}

bool acceptsConnections(std::uint16_t port)
{
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in address = loopbackAddress(port);
    const bool ok = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    closesocket(probe);
    return ok;
}

}  // namespace

ServerProcess::ServerProcess(WithLexicon lexicon) : port_(freeLoopbackPort())
{
    const std::string exe = folder_.file(serverExeName());
    if (!CopyFileA(serverExePath().c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + serverExePath());
    if (lexicon == WithLexicon::Yes && !CopyFileA(lexiconPath().c_str(), folder_.file("reply.ini").c_str(), FALSE))
        throw std::runtime_error("cannot copy " + lexiconPath());
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    logFile_ = UniqueHandle(CreateFileA(folder_.file("server.log").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!logFile_)
        throw std::runtime_error("cannot create the server log");
    process_ = std::make_unique<ChildProcess>(exe, std::to_string(port_) + " 127.0.0.1", elsewhere_.path(), logFile_.get());
    for (int attempt = 0; attempt < kStartAttempts && process_->running(); ++attempt) {
        if (acceptsConnections(port_))
            return;
        Sleep(kStartPauseMs);
    }
    throw std::runtime_error("the server did not start listening; its log:\n" + log());
}

std::string ServerProcess::log() const
{
    std::ifstream file(folder_.file("server.log"), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace chat::test
