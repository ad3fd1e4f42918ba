#include "products/server/chat_server.h"

#include "products/protocol/protocol.h"
#include "products/server/server_log.h"

#include <windows.h>

#include <vector>

namespace chat {

namespace {

constexpr int kReadChunk = 4096;
constexpr int kMaxAcceptsPerTurn = 64;
constexpr std::size_t kMaxBacklogBytes = 1 << 20;

}  // namespace

ChatServer::ChatServer(Socket listener, const Lexicon* lexicon)
    : listener_(std::move(listener)), room_(*this, lexicon)
{
}

void ChatServer::run()
{
    std::vector<WSAPOLLFD> polled;
    std::vector<ClientId> ids;
    for (;;) {
        polled.assign(1, WSAPOLLFD{listener_.get(), POLLRDNORM, 0});
        ids.clear();
        for (const auto& [id, connection] : connections_) {
            const short events = (connection.hangingUp ? 0 : POLLRDNORM) | (connection.outbox.empty() ? 0 : POLLWRNORM);
            polled.push_back({connection.socket.get(), events, 0});
            ids.push_back(id);
        }
        if (WSAPoll(polled.data(), static_cast<ULONG>(polled.size()), -1) == SOCKET_ERROR) {
            log("等待网络事件失败：" + socketErrorText(WSAGetLastError()));
            return;
        }
        for (std::size_t i = 0; i < ids.size(); ++i) {
            const auto found = connections_.find(ids[i]);
            if (polled[i + 1].revents != 0 && found != connections_.end() && !found->second.dead)
                serve(ids[i], found->second, polled[i + 1].revents);
        }
        if (polled[0].revents != 0)
            acceptNewcomers();
        flushAll();
        buryDead();
    }
}

void ChatServer::deliver(ClientId to, std::string_view line)
{
    const auto found = connections_.find(to);
    if (found == connections_.end() || found->second.dead)
        return;
    Connection& connection = found->second;
    connection.outbox.push(line);
    // Sent at the end of the turn: a busy turn then costs one send per client
    // rather than one per line.
    if (connection.outbox.pendingBytes() > kMaxBacklogBytes)
        drop(connection, "接收太慢，积压过多，已断开");
}

void ChatServer::hangUp(ClientId who)
{
    const auto found = connections_.find(who);
    if (found == connections_.end() || found->second.dead)
        return;
    found->second.hangingUp = true;
    if (found->second.outbox.empty())
        found->second.dead = true;
}

void ChatServer::log(std::string_view text)
{
    logLine(text);
}

void ChatServer::acceptNewcomers()
{
    for (int accepted = 0; accepted < kMaxAcceptsPerTurn; ++accepted) {
        Socket socket(accept(listener_.get(), nullptr, nullptr));
        if (!socket) {
            if (const int error = WSAGetLastError(); error != WSAEWOULDBLOCK)
                log("接受连接失败：" + socketErrorText(error));
            return;
        }
        if (!setNonBlocking(socket.get())) {
            log("接受连接失败：" + socketErrorText(WSAGetLastError()));
            continue;
        }
        const ClientId id = nextId_++;
        std::string peer = peerName(socket.get());
        connections_.emplace(id, Connection{std::move(socket), peer, LineFramer(kMaxLineBytes), {}});
        room_.arrive(id, std::move(peer), GetTickCount64());
    }
}

void ChatServer::serve(ClientId id, Connection& connection, short events)
{
    if (!connection.hangingUp && (events & (POLLRDNORM | POLLHUP | POLLERR)))
        readOnce(id, connection);
    else if (events & (POLLHUP | POLLERR | POLLNVAL))
        drop(connection, {});
}

void ChatServer::flushAll()
{
    for (auto& [id, connection] : connections_) {
        if (!connection.dead && !connection.outbox.empty())
            flush(connection);
    }
}

void ChatServer::readOnce(ClientId id, Connection& connection)
{
    char buffer[kReadChunk];
    const int received = recv(connection.socket.get(), buffer, sizeof buffer, 0);
    if (received == 0)
        return drop(connection, {});
    if (received == SOCKET_ERROR) {
        if (const int error = WSAGetLastError(); error != WSAEWOULDBLOCK)
            drop(connection, socketErrorText(error));
        return;
    }
    const std::uint64_t now = GetTickCount64();
    for (const FramedLine& line : connection.framer.feed(std::string_view(buffer, received))) {
        if (connection.dead || connection.hangingUp)
            break;
        room_.receive(id, line, now);
    }
}

void ChatServer::flush(Connection& connection)
{
    switch (connection.outbox.flush(connection.socket.get())) {
    case Outbox::Flush::Failed:
        drop(connection, socketErrorText(WSAGetLastError()));
        break;
    case Outbox::Flush::Done:
        connection.dead = connection.dead || connection.hangingUp;
        break;
    case Outbox::Flush::Pending:
        break;
    }
}

void ChatServer::drop(Connection& connection, std::string_view why)
{
    if (!why.empty())
        log(connection.peer + "：" + std::string(why));
    connection.dead = true;
}

void ChatServer::buryDead()
{
    // A leave notice can itself find another client dead, so repeat until none.
    for (bool found = true; found;) {
        found = false;
        for (auto it = connections_.begin(); it != connections_.end();) {
            if (!it->second.dead) {
                ++it;
                continue;
            }
            const ClientId id = it->first;
            const bool midLine = it->second.framer.midLine();
            it = connections_.erase(it);
            room_.depart(id, midLine);
            found = true;
        }
    }
}

}  // namespace chat
