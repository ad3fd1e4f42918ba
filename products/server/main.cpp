// 聊天室服务器: relays a LAN chat room and answers from the word library
// "reply.ini" found beside the executable.

#include "products/lexicon/lexicon.h"
#include "products/protocol/protocol.h"
#include "products/protocol/socket.h"
#include "products/server/chat_server.h"
#include "products/server/exe_folder.h"
#include "products/server/listener.h"
#include "products/server/server_log.h"
#include "products/server/server_options.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kIssuesShown = 5;

std::optional<chat::Lexicon> loadLexicon()
{
    const std::string path = chat::executableFolder() + "\\reply.ini";
    auto parsed = chat::loadLexiconFile(path);
    if (!parsed) {
        chat::logLine("没有找到词库 " + path + "，自动回复已关闭，只转发聊天消息");
        return std::nullopt;
    }
    for (std::size_t i = 0; i < parsed->issues.size() && i < kIssuesShown; ++i)
        chat::logLine("词库第 " + std::to_string(parsed->issues[i].line) + " 行：" + parsed->issues[i].what);
    if (parsed->issues.size() > kIssuesShown)
        chat::logLine("词库还有 " + std::to_string(parsed->issues.size() - kIssuesShown) + " 处问题未列出");
    const std::size_t pairs = parsed->lexicon.entries().size();
    if (pairs == 0)
        chat::logLine("词库 " + path + " 里没有可用的关键词，自动回复已关闭");
    else
        chat::logLine("已加载词库 " + path + "：" + std::to_string(pairs) + " 个关键词");
    return std::move(parsed->lexicon);
}

// Started from a shortcut or the installer, the console would vanish with the
// error still in it; wait for the user unless the input is not a console.
void waitForUserIfInteractive()
{
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        return;
    std::printf("按回车键退出……\n");
    std::getchar();
}

}  // namespace

int main(int argc, char** argv)
{
    const char* listenAddress = std::getenv("TAVRIMO_CHAT_LISTEN_ADDRESS");
    const auto options =
        chat::parseServerOptions(argc, argv, listenAddress && *listenAddress ? listenAddress : "0.0.0.0");
    if (!options) {
        std::printf("用法：%s [端口 [监听地址]]\n默认端口 %u，默认监听所有网络接口。\n", argv[0], chat::kDefaultPort);
        return 2;
    }
    SetConsoleTitleA(("聊天室服务器 - 端口 " + std::to_string(options->port)).c_str());
    try {
        const chat::WinsockSession winsock;
        chat::Socket listener = chat::openListener(*options);
        const std::string where = options->address == "0.0.0.0" ? "所有网络接口" : " " + options->address + " ";
        chat::logLine("聊天室服务器已启动，监听" + where + "的 TCP 端口 " + std::to_string(options->port));
        const std::optional<chat::Lexicon> lexicon = loadLexicon();
        chat::ChatServer server(std::move(listener), lexicon ? &*lexicon : nullptr);
        server.run();
    } catch (const std::exception& error) {
        chat::logLine(error.what());
    }
    waitForUserIfInteractive();
    return 1;
}
