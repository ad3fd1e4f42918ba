#include "products/client/endpoint.h"
#include "products/client/server_line_text.h"
#include "products/protocol/protocol.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace chat {
namespace {

struct EndpointCase {
    std::string text;
    std::optional<Endpoint> endpoint;
};

class Endpoints : public testing::TestWithParam<EndpointCase> {};

TEST_P(Endpoints, ReadHostAndOptionalPort)
{
    EXPECT_EQ(parseEndpoint(GetParam().text), GetParam().endpoint) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, Endpoints, testing::Values(
    EndpointCase{"127.0.0.1", Endpoint{"127.0.0.1", kDefaultPort}},
    EndpointCase{" 192.168.1.10:9000 ", Endpoint{"192.168.1.10", 9000}},
    EndpointCase{"chat-server", Endpoint{"chat-server", kDefaultPort}},
    EndpointCase{"chat-server:1", Endpoint{"chat-server", 1}},
    EndpointCase{"", std::nullopt},
    EndpointCase{"   ", std::nullopt},
    EndpointCase{":9527", std::nullopt},
    EndpointCase{"host:", std::nullopt},
    EndpointCase{"host:0", std::nullopt},
    EndpointCase{"host:65536", std::nullopt},
    EndpointCase{"host:12x", std::nullopt},
    EndpointCase{"my host", std::nullopt},
    EndpointCase{"a:b:1", std::nullopt}));

struct ShownCase {
    std::string line;
    std::string shown;
};

class ServerLines : public testing::TestWithParam<ShownCase> {};

TEST_P(ServerLines, ShowInTheTranscriptAs)
{
    EXPECT_EQ(describeServerLine(GetParam().line), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Lines, ServerLines, testing::Values(
    ShownCase{"MSG 张三 你好 世界", "张三：你好 世界"},
    ShownCase{"JOIN 李四", "*** 李四 进入了聊天室"},
    ShownCase{"LEAVE 李四", "*** 李四 离开了聊天室"},
    ShownCase{"USERS 张三 李四 王五", "*** 在线：张三、李四、王五"},
    ShownCase{"BOT 欢迎光临", "【小助手】欢迎光临"},
    ShownCase{"ERR 昵称已被占用", "！！ 服务器提示：昵称已被占用"},
    ShownCase{"PING 123", ""},
    ShownCase{"MSG 坏\x01字节", "！！ 收到一行无法显示的内容，已忽略"}));

}  // namespace
}  // namespace chat
