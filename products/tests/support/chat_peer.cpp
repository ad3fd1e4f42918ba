#include "products/tests/support/chat_peer.h"

#include "products/protocol/protocol.h"
#include "products/protocol/wire.h"
#include "products/tests/support/loopback.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace chat::test {

namespace {

constexpr DWORD kReceiveTimeoutMs = 20000;

}  // namespace

std::string lineOf(std::string_view verb, std::string_view argument)
{
    std::string line = formatLine(verb, argument);
    line.resize(line.size() - 2);
    return line;
}

bool hasVerb(std::string_view line, std::string_view verb)
{
    return splitFirstWord(line).first == verb;
}

ChatPeer::ChatPeer(std::uint16_t port)
    : socket_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)), framer_(kMaxLineBytes)
{
    const sockaddr_in address = loopbackAddress(port);
    if (!socket_ || connect(socket_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to the server (error " + std::to_string(WSAGetLastError()) + ")");
    const DWORD timeout = kReceiveTimeoutMs;
    setsockopt(socket_.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
}

void ChatPeer::sendRaw(std::string_view bytes)
{
    while (!bytes.empty()) {
        const int sent = send(socket_.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0)
            throw std::runtime_error("send failed (error " + std::to_string(WSAGetLastError()) + ")");
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

void ChatPeer::sendLine(std::string_view verb, std::string_view argument)
{
    sendRaw(formatLine(verb, argument));
}

std::optional<std::string> ChatPeer::nextLine()
{
    while (pending_.empty()) {
        char buffer[8192];
        const int received = recv(socket_.get(), buffer, sizeof buffer, 0);
        if (received <= 0)
            return std::nullopt;
        for (FramedLine& line : framer_.feed(std::string_view(buffer, received)))
            pending_.push_back(line.tooLong ? "<too long>" : std::move(line.text));
    }
    std::string line = std::move(pending_.front());
    pending_.pop_front();
    return line;
}

bool ChatPeer::waitFor(std::string_view expected)
{
    return readUntil([&](const std::string& line) { return line == expected; }).has_value();
}

std::optional<std::string> ChatPeer::waitForVerb(std::string_view verb)
{
    return readUntil([&](const std::string& line) { return hasVerb(line, verb); });
}

std::optional<std::string> ChatPeer::readUntil(const std::function<bool(const std::string&)>& wanted)
{
    skipped_.clear();
    while (auto line = nextLine()) {
        if (wanted(*line))
            return line;
        skipped_.push_back(std::move(*line));
    }
    return std::nullopt;
}

bool ChatPeer::join(std::string_view nick)
{
    sendLine(verb::Nick, nick);
    return waitFor(lineOf(verb::Welcome, nick));
}

void ChatPeer::vanish()
{
    const linger abortive{1, 0};
    setsockopt(socket_.get(), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    socket_.reset();
}

}  // namespace chat::test
