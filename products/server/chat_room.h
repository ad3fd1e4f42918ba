#pragma once

// What the chat server does with lines, apart from sockets: the nickname step,
// relaying, join and leave notices, automatic replies and the answers to bad
// input. The network loop feeds it and carries out what it asks of RoomHost.

#include "products/lexicon/lexicon.h"
#include "products/protocol/line_framer.h"
#include "products/server/token_bucket.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace chat {

using ClientId = std::uint64_t;

class RoomHost {
public:
    // Queues one formatted line (with its line end) for a client.
    virtual void deliver(ClientId to, std::string_view line) = 0;
    // Closes a client's connection once what is queued for it has gone out.
    virtual void hangUp(ClientId who) = 0;
    // One line for the server's console.
    virtual void log(std::string_view text) = 0;

protected:
    ~RoomHost() = default;
};

struct RoomLimits {
    std::size_t maxMembers = 1000;
    std::uint32_t burstLines = 20;     // lines a client may send at once
    std::uint32_t linesPerSecond = 10; // and then steadily
};

class ChatRoom {
public:
    // lexicon may be null: the room then only relays.
    ChatRoom(RoomHost& host, const Lexicon* lexicon, RoomLimits limits = {});

    // A new connection from peer ("address:port"). A full room turns it away.
    void arrive(ClientId id, std::string peer, std::uint64_t nowMs);
    void receive(ClientId id, const FramedLine& line, std::uint64_t nowMs);
    // The connection is gone; midLine tells that it ended inside a line.
    void depart(ClientId id, bool midLine);

    std::size_t memberCount() const;

private:
    struct Client {
        std::string peer;
        std::string nick;  // empty until the nickname step is done
        TokenBucket bucket;
        std::optional<std::uint64_t> floodNoticeMs;  // when the last one went out
    };

    void handleLine(ClientId id, Client& client, std::string_view line);
    void handleNick(ClientId id, Client& client, std::string_view nick);
    void handleSay(ClientId id, Client& client, std::string_view text);
    void refuse(ClientId id, const Client& client, std::string_view why);
    void broadcast(std::string_view line);
    void sendUsers(ClientId to);
    std::string whoIsHere() const;

    RoomHost& host_;
    const Lexicon* lexicon_;
    RoomLimits limits_;
    std::map<ClientId, Client> clients_;
};

}  // namespace chat
