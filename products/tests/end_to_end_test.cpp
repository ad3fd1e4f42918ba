// The real server executable, started the way the installer starts it (from
// another current directory), with the built word library beside it, and
// clients speaking the protocol over loopback.

#include "products/lexicon/lexicon.h"
#include "products/protocol/protocol.h"
#include "products/protocol/socket.h"
#include "products/protocol/wire.h"
#include "products/tests/support/chat_peer.h"
#include "products/tests/support/products_folder.h"
#include "products/tests/support/server_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace chat::test {
namespace {

class EndToEnd : public testing::Test {
protected:
    explicit EndToEnd(WithLexicon lexicon = WithLexicon::Yes) : server_(lexicon) {}

    std::unique_ptr<ChatPeer> joined(std::string_view nick)
    {
        auto peer = std::make_unique<ChatPeer>(server_.port());
        EXPECT_TRUE(peer->join(nick)) << "no welcome for " << nick;
        return peer;
    }

    static bool sawMessageFrom(const ChatPeer& peer, std::string_view nick)
    {
        return std::any_of(peer.skipped().begin(), peer.skipped().end(), [&](const std::string& line) {
            const Words words = splitFirstWord(line);
            return words.first == verb::Msg && splitFirstWord(words.rest).first == nick;
        });
    }

    WinsockSession winsock_;
    ServerProcess server_;
};

TEST_F(EndToEnd, RelaysAnnouncesAndRepliesFromTheWordLibrary)
{
    const auto parsed = loadLexiconFile(lexiconPath());
    ASSERT_TRUE(parsed && !parsed->lexicon.entries().empty());
    const LexiconEntry& entry = parsed->lexicon.entries().front();
    const std::string plain = "下午三点在三楼碰头";
    ASSERT_EQ(parsed->lexicon.match(plain), nullptr) << "pick a text no keyword answers";

    auto jia = joined("甲");
    EXPECT_EQ(jia->nextLine(), lineOf(verb::Users, "甲"));
    auto yi = joined("乙");
    EXPECT_EQ(yi->nextLine(), lineOf(verb::Users, "甲 乙"));
    EXPECT_EQ(jia->nextLine(), lineOf(verb::Join, "乙"));

    jia->sendLine(verb::Say, plain);
    EXPECT_EQ(yi->nextLine(), lineOf(verb::Msg, "甲 " + plain));
    EXPECT_EQ(jia->nextLine(), lineOf(verb::Msg, "甲 " + plain));

    yi->sendLine(verb::Say, entry.keyword);
    for (ChatPeer* peer : {jia.get(), yi.get()}) {
        EXPECT_EQ(peer->nextLine(), lineOf(verb::Msg, "乙 " + entry.keyword));
        EXPECT_EQ(peer->nextLine(), lineOf(verb::Bot, entry.reply));
    }

    yi->sendLine(verb::Quit);
    EXPECT_EQ(yi->nextLine(), std::nullopt) << "QUIT closes the connection";
    EXPECT_EQ(jia->nextLine(), lineOf(verb::Leave, "乙"));
}

TEST_F(EndToEnd, NicknameStepTurnsAwayBadAndTakenNames)
{
    auto jia = joined("Jia");
    ChatPeer newcomer(server_.port());
    newcomer.sendLine(verb::Say, "我还没有昵称");
    EXPECT_TRUE(newcomer.waitForVerb(verb::Err));
    newcomer.sendLine(verb::Nick, "JIA");
    EXPECT_TRUE(newcomer.waitForVerb(verb::Err));
    newcomer.sendLine(verb::Nick, "有 空格");
    EXPECT_TRUE(newcomer.waitForVerb(verb::Err));
    EXPECT_TRUE(newcomer.join("Yi"));
    EXPECT_TRUE(jia->waitFor(lineOf(verb::Join, "Yi")));
    EXPECT_EQ(jia->skipped(), std::vector<std::string>{lineOf(verb::Users, "Jia")}) << "no notice for the refused attempts";
}

TEST_F(EndToEnd, BadInputGetsAnAnswerAndTheConnectionStaysUsable)
{
    auto jia = joined("甲");
    auto yi = joined("乙");
    ASSERT_TRUE(jia->waitFor(lineOf(verb::Join, "乙")));
    const std::vector<std::string> badLines = {
        "SAY \x81\x20坏字节\r\n",
        "SAY \xFF\r\n",
        "SAY 制表\t符\r\n",
        std::string(100000, 'x') + "\r\n",
        "SAY " + std::string(kMaxTextBytes + 1, 'y') + "\r\n",
        "SAY \r\n",
        "SHOUT 大声\r\n",
    };
    for (const std::string& bad : badLines) {
        jia->sendRaw(bad);
        const auto answer = jia->nextLine();
        ASSERT_TRUE(answer) << "no answer to " << bad.substr(0, 40);
        EXPECT_TRUE(hasVerb(*answer, verb::Err)) << *answer;
    }
    jia->sendLine(verb::Say, "刚才发错了");
    EXPECT_TRUE(yi->waitFor(lineOf(verb::Msg, "甲 刚才发错了")));
    EXPECT_EQ(yi->skipped(), std::vector<std::string>{lineOf(verb::Users, "甲 乙")}) << "nothing bad was relayed";
}

TEST_F(EndToEnd, AClientVanishingMidLineLeavesTheOthersServed)
{
    auto jia = joined("甲");
    auto yi = joined("乙");
    auto bing = joined("丙");
    jia->sendRaw("SAY 这句话只说了一");
    jia->vanish();
    ASSERT_TRUE(yi->waitFor(lineOf(verb::Leave, "甲")));
    EXPECT_FALSE(sawMessageFrom(*yi, "甲")) << "half a line is never relayed";

    yi->sendLine(verb::Say, "甲掉线了");
    EXPECT_TRUE(bing->waitFor(lineOf(verb::Msg, "乙 甲掉线了")));
    EXPECT_FALSE(sawMessageFrom(*bing, "甲"));
    bing->sendLine(verb::Say, "我还在");
    EXPECT_TRUE(yi->waitFor(lineOf(verb::Msg, "丙 我还在")));
}

TEST_F(EndToEnd, OneClientFloodingDoesNotStarveTheOthers)
{
    auto flooder = joined("刷屏者");
    auto yi = joined("乙");
    auto bing = joined("丙");
    std::string flood;
    for (int i = 0; i < 5000; ++i)
        flood += formatLine(verb::Say, "刷屏第" + std::to_string(i) + "条");
    flooder->sendRaw(flood);
    yi->sendLine(verb::Say, "还能正常聊天吗");
    EXPECT_TRUE(bing->waitFor(lineOf(verb::Msg, "乙 还能正常聊天吗")));
    EXPECT_TRUE(flooder->waitForVerb(verb::Err)) << "the flooder is told";
    bing->sendLine(verb::Say, "可以");
    EXPECT_TRUE(yi->waitFor(lineOf(verb::Msg, "丙 可以")));
}

// The room's limit: this many clients are served at once, the next is turned away.
constexpr int kManyClients = 1000;

TEST_F(EndToEnd, HoldsManyClientsAtOnce)
{
    // Everybody connects and asks in before anybody waits, as a room full of
    // people starting their clients at nine o'clock would.
    std::vector<std::unique_ptr<ChatPeer>> peers;
    for (int i = 0; i < kManyClients; ++i) {
        peers.push_back(std::make_unique<ChatPeer>(server_.port()));
        peers.back()->sendLine(verb::Nick, "用户" + std::to_string(i));
    }
    for (int i = 0; i < kManyClients; ++i)
        ASSERT_TRUE(peers[i]->waitFor(lineOf(verb::Welcome, "用户" + std::to_string(i)))) << "client " << i;
    ChatPeer oneTooMany(server_.port());
    EXPECT_TRUE(oneTooMany.waitForVerb(verb::Err));
    EXPECT_EQ(oneTooMany.nextLine(), std::nullopt) << "turned away";

    peers.front()->sendLine(verb::Say, "大家都收到了吗");
    int received = 0;
    for (const auto& peer : peers)
        received += peer->waitFor(lineOf(verb::Msg, "用户0 大家都收到了吗")) ? 1 : 0;
    EXPECT_EQ(received, kManyClients);
    RecordProperty("concurrent_clients", received);
    std::cout << "concurrent clients held and served: " << received << "\n";
}

class EndToEndWithoutLexicon : public EndToEnd {
protected:
    EndToEndWithoutLexicon() : EndToEnd(WithLexicon::No) {}
};

TEST_F(EndToEndWithoutLexicon, RelaysAndSaysOnceThatAutoRepliesAreOff)
{
    auto jia = joined("甲");
    auto yi = joined("乙");
    ASSERT_TRUE(yi->waitFor(lineOf(verb::Users, "甲 乙")));
    for (const char* text : {"你好", "帮助", "再见"})
        jia->sendLine(verb::Say, text);
    EXPECT_EQ(yi->nextLine(), lineOf(verb::Msg, "甲 你好"));
    EXPECT_EQ(yi->nextLine(), lineOf(verb::Msg, "甲 帮助"));
    EXPECT_EQ(yi->nextLine(), lineOf(verb::Msg, "甲 再见"));

    server_.stop();
    const std::string log = server_.log();
    const std::string notice = "自动回复已关闭";
    const std::size_t first = log.find(notice);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(notice, first + 1), std::string::npos) << log;
}

}  // namespace
}  // namespace chat::test
