#include "products/server/chat_room.h"

#include "products/protocol/gbk_text.h"
#include "products/protocol/nickname.h"
#include "products/protocol/protocol.h"
#include "products/protocol/wire.h"

namespace chat {

namespace {

// A flooding client hears about it now and then, not once per dropped line.
constexpr std::uint64_t kFloodNoticeEveryMs = 5000;

// The console shows this many names when it says who is in the room.
constexpr std::size_t kNamesShown = 10;

std::string label(std::string_view nick, std::string_view peer)
{
    if (nick.empty())
        return std::string(peer);
    return std::string(nick) + "（" + std::string(peer) + "）";
}

}  // namespace

ChatRoom::ChatRoom(RoomHost& host, const Lexicon* lexicon, RoomLimits limits)
    : host_(host), lexicon_(lexicon), limits_(limits)
{
}

void ChatRoom::arrive(ClientId id, std::string peer, std::uint64_t nowMs)
{
    if (clients_.size() >= limits_.maxMembers) {
        host_.deliver(id, formatLine(verb::Err, "聊天室已满（最多 " + std::to_string(limits_.maxMembers) + " 人），请稍后再试"));
        host_.hangUp(id);
        host_.log(peer + " 被拒绝：聊天室已满");
        return;
    }
    host_.log(peer + " 已连接，等待昵称");
    clients_.emplace(id, Client{std::move(peer), {}, TokenBucket(limits_.burstLines, limits_.linesPerSecond, nowMs), {}});
}

void ChatRoom::receive(ClientId id, const FramedLine& line, std::uint64_t nowMs)
{
    const auto found = clients_.find(id);
    if (found == clients_.end())
        return;
    Client& client = found->second;
    if (!client.bucket.take(nowMs)) {
        if (!client.floodNoticeMs || nowMs - *client.floodNoticeMs >= kFloodNoticeEveryMs) {
            client.floodNoticeMs = nowMs;
            refuse(id, client, "发送太快，多余的消息已丢弃");
        }
        return;
    }
    if (line.tooLong)
        return refuse(id, client, "一行太长（最多 1024 字节），已丢弃");
    switch (checkText(line.text)) {
    case TextProblem::InvalidGbk: return refuse(id, client, "消息含有无效的 GBK 字节，已丢弃");
    case TextProblem::ControlCharacter: return refuse(id, client, "消息含有控制字符，已丢弃");
    case TextProblem::None: break;
    }
    handleLine(id, client, line.text);
}

void ChatRoom::depart(ClientId id, bool midLine)
{
    const auto found = clients_.find(id);
    if (found == clients_.end())
        return;
    const Client client = std::move(found->second);
    clients_.erase(found);
    const std::string halfLine = midLine ? "，断开时的半行已丢弃" : "";
    if (client.nick.empty()) {
        host_.log(client.peer + " 已断开，没有进入聊天室" + halfLine);
        return;
    }
    broadcast(formatLine(verb::Leave, client.nick));
    host_.log(label(client.nick, client.peer) + "离开聊天室" + halfLine + "；" + whoIsHere());
}

std::size_t ChatRoom::memberCount() const
{
    std::size_t named = 0;
    for (const auto& [id, client] : clients_)
        named += client.nick.empty() ? 0 : 1;
    return named;
}

void ChatRoom::handleLine(ClientId id, Client& client, std::string_view line)
{
    const Words words = splitFirstWord(line);
    if (words.first == verb::Nick)
        handleNick(id, client, words.rest);
    else if (words.first == verb::Say)
        handleSay(id, client, words.rest);
    else if (words.first == verb::Quit)
        host_.hangUp(id);
    else
        refuse(id, client, "未知命令，可用的命令有 NICK、SAY、QUIT");
}

void ChatRoom::handleNick(ClientId id, Client& client, std::string_view nick)
{
    if (!client.nick.empty())
        return refuse(id, client, "昵称已经设置，不能更改");
    if (const std::string_view problem = nicknameProblem(nick); !problem.empty())
        return refuse(id, client, problem);
    for (const auto& [otherId, other] : clients_) {
        if (sameNickname(other.nick, nick))
            return refuse(id, client, "昵称“" + std::string(nick) + "”已被占用，请换一个");
    }
    client.nick = nick;
    host_.deliver(id, formatLine(verb::Welcome, nick));
    sendUsers(id);
    for (const auto& [otherId, other] : clients_) {
        if (otherId != id && !other.nick.empty())
            host_.deliver(otherId, formatLine(verb::Join, nick));
    }
    host_.log(label(client.nick, client.peer) + "进入聊天室；" + whoIsHere());
}

void ChatRoom::handleSay(ClientId id, Client& client, std::string_view text)
{
    if (client.nick.empty())
        return refuse(id, client, "请先用 NICK 命令设置昵称");
    if (text.empty())
        return refuse(id, client, "消息为空");
    if (text.size() > kMaxTextBytes)
        return refuse(id, client, "消息太长（最多 500 字节），已丢弃");
    broadcast(formatLine(verb::Msg, client.nick + " " + std::string(text)));
    host_.log(client.nick + "：" + std::string(text));
    if (const LexiconEntry* entry = lexicon_ ? lexicon_->match(text) : nullptr) {
        broadcast(formatLine(verb::Bot, entry->reply));
        host_.log("自动回复（" + entry->keyword + "）：" + entry->reply);
    }
}

void ChatRoom::refuse(ClientId id, const Client& client, std::string_view why)
{
    host_.deliver(id, formatLine(verb::Err, why));
    host_.log(label(client.nick, client.peer) + "：" + std::string(why));
}

void ChatRoom::broadcast(std::string_view line)
{
    for (const auto& [id, client] : clients_) {
        if (!client.nick.empty())
            host_.deliver(id, line);
    }
}

void ChatRoom::sendUsers(ClientId to)
{
    // Several USERS lines when the names do not fit in one.
    std::string names;
    for (const auto& [id, client] : clients_) {
        if (client.nick.empty())
            continue;
        if (!names.empty() && verb::Users.size() + 1 + names.size() + 1 + client.nick.size() > kMaxLineBytes) {
            host_.deliver(to, formatLine(verb::Users, names));
            names.clear();
        }
        names += (names.empty() ? "" : " ") + client.nick;
    }
    host_.deliver(to, formatLine(verb::Users, names));
}

std::string ChatRoom::whoIsHere() const
{
    std::string names;
    std::size_t shown = 0;
    for (const auto& [id, client] : clients_) {
        if (client.nick.empty() || shown == kNamesShown)
            continue;
        names += (shown++ ? "、" : "") + client.nick;
    }
    const std::size_t count = memberCount();
    std::string text = "在线 " + std::to_string(count) + " 人";
    if (count > 0)
        text += "：" + names + (count > shown ? " 等" : "");
    return text;
}

}  // namespace chat
