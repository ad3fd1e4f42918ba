#include "products/protocol/protocol.h"
#include "products/protocol/wire.h"
#include "products/server/chat_room.h"
#include "products/server/exe_folder.h"
#include "products/server/server_options.h"
#include "products/tests/support/chat_peer.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace chat {
namespace {

using test::hasVerb;

// Records what the room asks of the network, per client.
class RecordingHost final : public RoomHost {
public:
    void deliver(ClientId to, std::string_view line) override { delivered[to].emplace_back(line); }
    void hangUp(ClientId who) override { hungUp.insert(who); }
    void log(std::string_view text) override { logged.emplace_back(text); }

    // Lines for a client since the last call, without their line ends.
    std::vector<std::string> take(ClientId id)
    {
        std::vector<std::string> lines;
        for (const std::string& line : delivered[id])
            lines.push_back(line.substr(0, line.size() - 2));
        delivered[id].clear();
        return lines;
    }

    std::map<ClientId, std::vector<std::string>> delivered;
    std::set<ClientId> hungUp;
    std::vector<std::string> logged;
};

using Lines = std::vector<std::string>;

class ChatRoomTest : public testing::Test {
protected:
    void say(ClientId id, std::string_view line, std::uint64_t nowMs = 0) { room_.receive(id, {std::string(line)}, nowMs); }

    void join(ClientId id, std::string_view nick)
    {
        room_.arrive(id, "127.0.0.1:" + std::to_string(1000 + id), 0);
        say(id, "NICK " + std::string(nick));
    }

    RecordingHost host_;
    const Lexicon lexicon_{{{"你好", "你好呀！"}, {"帮助", "按回车发送。"}}};
    ChatRoom room_{host_, &lexicon_, RoomLimits{3, 5, 2}};
};

TEST_F(ChatRoomTest, NicknameStepWelcomesAndAnnounces)
{
    join(1, "甲");
    EXPECT_EQ(host_.take(1), (Lines{"WELCOME 甲", "USERS 甲"}));
    room_.arrive(2, "127.0.0.1:2002", 0);
    say(2, "SAY 还没有名字");
    say(2, "NICK 甲");
    say(2, "NICK 有 空格");
    const Lines refused = host_.take(2);
    ASSERT_EQ(refused.size(), 3u);
    for (const std::string& line : refused)
        EXPECT_TRUE(hasVerb(line, verb::Err)) << line;
    EXPECT_TRUE(host_.take(1).empty()) << "refused attempts are not announced";

    say(2, "NICK 乙");
    EXPECT_EQ(host_.take(2), (Lines{"WELCOME 乙", "USERS 甲 乙"}));
    EXPECT_EQ(host_.take(1), (Lines{"JOIN 乙"}));
    say(2, "NICK 丙");
    EXPECT_TRUE(hasVerb(host_.take(2).front(), verb::Err)) << "a nickname is set once";
    EXPECT_EQ(room_.memberCount(), 2u);
}

TEST_F(ChatRoomTest, NicknamesDifferingInAsciiCaseClash)
{
    join(1, "Tom");
    host_.take(1);
    join(2, "TOM");
    EXPECT_TRUE(hasVerb(host_.take(2).front(), verb::Err));
}

TEST_F(ChatRoomTest, RelaysToEveryNamedClientAndRepliesFromTheLexicon)
{
    join(1, "甲");
    join(2, "乙");
    room_.arrive(3, "127.0.0.1:3003", 0);  // connected, not named yet
    host_.take(1);
    host_.take(2);
    say(1, "SAY 今天下雨");
    EXPECT_EQ(host_.take(1), (Lines{"MSG 甲 今天下雨"}));
    EXPECT_EQ(host_.take(2), (Lines{"MSG 甲 今天下雨"}));
    EXPECT_TRUE(host_.take(3).empty());
    say(2, "SAY 大家你好");
    const Lines answered{"MSG 乙 大家你好", "BOT 你好呀！"};
    EXPECT_EQ(host_.take(1), answered);
    EXPECT_EQ(host_.take(2), answered);
}

TEST_F(ChatRoomTest, WithoutLexiconOnlyRelays)
{
    ChatRoom plain(host_, nullptr);
    plain.arrive(7, "127.0.0.1:7007", 0);
    plain.receive(7, {"NICK 甲"}, 0);
    host_.take(7);
    plain.receive(7, {"SAY 你好"}, 0);
    EXPECT_EQ(host_.take(7), (Lines{"MSG 甲 你好"}));
}

TEST_F(ChatRoomTest, AnnouncesLeavingNamedClientsOnly)
{
    join(1, "甲");
    join(2, "乙");
    room_.arrive(3, "127.0.0.1:3003", 0);
    host_.take(1);
    room_.depart(3, false);
    EXPECT_TRUE(host_.take(1).empty());
    room_.depart(2, true);
    EXPECT_EQ(host_.take(1), (Lines{"LEAVE 乙"}));
    EXPECT_EQ(room_.memberCount(), 1u);
    EXPECT_NE(host_.logged.back().find("半行"), std::string::npos) << host_.logged.back();
}

TEST_F(ChatRoomTest, QuitHangsUp)
{
    join(1, "甲");
    say(1, "QUIT");
    EXPECT_EQ(host_.hungUp, (std::set<ClientId>{1}));
}

class ChatRoomBadInput : public ChatRoomTest, public testing::WithParamInterface<FramedLine> {};

TEST_P(ChatRoomBadInput, AnswersTheSenderAloneAndRelaysNothing)
{
    join(1, "甲");
    join(2, "乙");
    host_.take(1);
    host_.take(2);
    room_.receive(1, GetParam(), 0);
    const Lines answer = host_.take(1);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_TRUE(hasVerb(answer.front(), verb::Err)) << answer.front();
    EXPECT_TRUE(host_.take(2).empty());
    EXPECT_TRUE(host_.hungUp.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, ChatRoomBadInput, testing::Values(
    FramedLine{{}, true},
    FramedLine{"SAY \x81\x20"},
    FramedLine{"SAY a\tb"},
    FramedLine{"SAY "},
    FramedLine{"SAY " + std::string(kMaxTextBytes + 1, 'x')},
    FramedLine{"SAY"},
    FramedLine{"say 小写命令"},
    FramedLine{""},
    FramedLine{"NICK"}));

TEST_F(ChatRoomTest, DropsAFloodWithOneNoticeAndRefillsOverTime)
{
    // Limits: a burst of 5 lines, then 2 a second; the NICK line was one.
    join(1, "甲");
    join(2, "乙");
    host_.take(1);
    host_.take(2);
    for (int i = 0; i < 20; ++i)
        say(1, "SAY 刷" + std::to_string(i), 0);
    const Lines seen = host_.take(2);
    EXPECT_EQ(seen, (Lines{"MSG 甲 刷0", "MSG 甲 刷1", "MSG 甲 刷2", "MSG 甲 刷3"}));
    Lines errors;
    for (const std::string& line : host_.take(1)) {
        if (hasVerb(line, verb::Err))
            errors.push_back(line);
    }
    EXPECT_EQ(errors.size(), 1u) << "one notice, not one per dropped line";

    say(1, "SAY 一秒后", 1000);
    say(1, "SAY 还是一秒后", 1000);
    say(1, "SAY 第三条", 1000);
    EXPECT_EQ(host_.take(2), (Lines{"MSG 甲 一秒后", "MSG 甲 还是一秒后"}));
    say(2, "SAY 别人不受影响", 1000);
    EXPECT_EQ(host_.take(2), (Lines{"MSG 乙 别人不受影响"}));
}

TEST_F(ChatRoomTest, TurnsAwayConnectionsBeyondTheLimit)
{
    join(1, "甲");
    join(2, "乙");
    room_.arrive(3, "127.0.0.1:3003", 0);
    room_.arrive(4, "127.0.0.1:4004", 0);
    ASSERT_EQ(host_.take(4).size(), 1u);
    EXPECT_EQ(host_.hungUp, (std::set<ClientId>{4}));
    say(4, "NICK 丁");
    EXPECT_TRUE(host_.take(4).empty()) << "a turned-away connection is not served";
}

TEST(ChatRoomUsers, SplitsALongListOverSeveralLines)
{
    RecordingHost host;
    ChatRoom room(host, nullptr, RoomLimits{200, 5, 2});
    std::set<std::string> nicks;
    for (ClientId id = 1; id <= 150; ++id) {
        const std::string nick = "用户名字很长的人" + std::to_string(id);
        nicks.insert(nick);
        room.arrive(id, "peer", 0);
        room.receive(id, {"NICK " + nick}, 0);
    }
    std::set<std::string> listed;
    for (const std::string& line : host.take(150)) {
        if (!hasVerb(line, verb::Users))
            continue;
        EXPECT_LE(line.size(), kMaxLineBytes);
        std::string_view rest = std::string_view(line).substr(6);
        while (!rest.empty()) {
            const Words words = splitFirstWord(rest);
            listed.insert(std::string(words.first));
            rest = words.rest;
        }
    }
    EXPECT_EQ(listed, nicks);
}

TEST(ServerOptions, DefaultPortOnAllInterfacesOrWhatTheCommandLineSays)
{
    const char* none[] = {"server.exe"};
    const auto defaults = parseServerOptions(1, none);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->port, kDefaultPort);
    EXPECT_EQ(defaults->address, "0.0.0.0");
    const char* both[] = {"server.exe", "19000", "127.0.0.1"};
    const auto given = parseServerOptions(3, both);
    ASSERT_TRUE(given);
    EXPECT_EQ(given->port, 19000);
    EXPECT_EQ(given->address, "127.0.0.1");
    const auto configured = parseServerOptions(1, none, "127.0.0.1");
    ASSERT_TRUE(configured);
    EXPECT_EQ(configured->address, "127.0.0.1");
    const char* portOnly[] = {"server.exe", "19000"};
    EXPECT_EQ(parseServerOptions(2, portOnly, "127.0.0.1")->address, "127.0.0.1");
    for (const char* bad : {"0", "65536", "12ab", "", "-1"}) {
        const char* arguments[] = {"server.exe", bad};
        EXPECT_FALSE(parseServerOptions(2, arguments)) << bad;
    }
    const char* tooMany[] = {"server.exe", "1", "2", "3"};
    EXPECT_FALSE(parseServerOptions(4, tooMany));
}

TEST(ExeFolder, CutsAtTheLastSeparatorCharacter)
{
    EXPECT_EQ(parentFolder("C:\\Program Files\\Tavrimo\\聊天室服务器.exe"), "C:\\Program Files\\Tavrimo");
    // The second byte of 淺 is a backslash; the folder is the whole "C:\淺".
    EXPECT_EQ(parentFolder("C:\\淺\\server.exe"), "C:\\淺");
    EXPECT_EQ(parentFolder("C:\\server.exe"), "C:");
    EXPECT_EQ(parentFolder("server.exe"), "");
    EXPECT_EQ(parentFolder("Z:/tmp/server.exe"), "Z:/tmp");
}

}  // namespace
}  // namespace chat
