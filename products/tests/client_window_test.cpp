// Drives the real client window the way a user does: fills in the address and
// nickname, clicks connect, types a line and presses Enter, reads the
// transcript; then loses the server and is refused on the next try.

#include "products/client/control_ids.h"
#include "products/protocol/socket.h"
#include "products/protocol/wire.h"
#include "products/tests/support/chat_peer.h"
#include "products/tests/support/child_process.h"
#include "products/tests/support/products_folder.h"
#include "products/tests/support/server_process.h"
#include "products/tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

namespace chat::test {
namespace {

constexpr int kPolls = 300;
constexpr DWORD kPollPauseMs = 100;

// Waits, within a bound, for something the other process does.
bool eventually(const std::function<bool()>& condition)
{
    for (int poll = 0; poll < kPolls; ++poll) {
        if (condition())
            return true;
        Sleep(kPollPauseMs);
    }
    return condition();
}

std::string textOf(HWND control)
{
    std::string text(static_cast<std::size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void setText(HWND control, const std::string& text)
{
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

struct WindowSearch {
    DWORD processId;
    HWND found;
};

HWND clientWindowOf(DWORD processId)
{
    WindowSearch search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<WindowSearch*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->processId && IsWindowVisible(window) && textOf(window) == "聊天室客户端") {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(ClientWindow, ChatsThroughTheWindowAndRecoversFromALostServer)
{
    const WinsockSession winsock;
    ServerProcess server(WithLexicon::Yes);
    ChatPeer observer(server.port());
    ASSERT_TRUE(observer.join("观察员"));

    const TempFolder elsewhere;
    ChildProcess client(clientExePath(), "", elsewhere.path());
    HWND window = nullptr;
    ASSERT_TRUE(eventually([&] { return (window = clientWindowOf(client.id())) != nullptr; })) << "no client window";
    HWND address = GetDlgItem(window, control::Address);
    HWND nickname = GetDlgItem(window, control::Nickname);
    HWND connect = GetDlgItem(window, control::Connect);
    HWND transcript = GetDlgItem(window, control::Transcript);
    HWND input = GetDlgItem(window, control::Input);
    ASSERT_TRUE(address && nickname && connect && transcript && input && GetDlgItem(window, control::Send));
    EXPECT_EQ(textOf(address), "127.0.0.1");
    auto transcriptHas = [&](const std::string& text) {
        return eventually([&] { return textOf(transcript).find(text) != std::string::npos; });
    };

    setText(address, "127.0.0.1:" + std::to_string(server.port()));
    setText(nickname, "窗口用户");
    SendMessageA(connect, BM_CLICK, 0, 0);
    ASSERT_TRUE(observer.waitFor(lineOf(verb::Join, "窗口用户")));
    EXPECT_TRUE(transcriptHas("欢迎你，窗口用户"));
    EXPECT_TRUE(eventually([&] { return textOf(connect) == "断开"; }));

    setText(input, "来自窗口的问候");
    PostMessageA(input, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(observer.waitFor(lineOf(verb::Msg, "窗口用户 来自窗口的问候")));
    EXPECT_TRUE(eventually([&] { return textOf(input).empty(); })) << "the input line is cleared after sending";

    observer.sendLine(verb::Say, "你好");
    EXPECT_TRUE(transcriptHas("观察员：你好"));
    EXPECT_TRUE(transcriptHas("【小助手】"));

    server.stop();
    EXPECT_TRUE(eventually([&] { return textOf(connect) == "连接"; })) << textOf(transcript);
    EXPECT_TRUE(IsWindowEnabled(nickname)) << "the user can change the nickname and connect again";

    SendMessageA(connect, BM_CLICK, 0, 0);
    EXPECT_TRUE(transcriptHas("连接被拒绝")) << textOf(transcript);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(client.handle(), 10000), WAIT_OBJECT_0) << "closing the window ends the client";
}

}  // namespace
}  // namespace chat::test
