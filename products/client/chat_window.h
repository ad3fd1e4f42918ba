#pragma once

// The client's one window: server address and nickname with a connect button
// on top, the conversation in the middle, an input line with a send button at
// the bottom. It owns the connection and walks it through the nickname step.

#include "products/client/server_link.h"
#include "products/client/transcript.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace chat {

class ChatWindow final : public LinkListener {
public:
    ChatWindow() : link_(*this) {}
    ChatWindow(const ChatWindow&) = delete;
    ChatWindow& operator=(const ChatWindow&) = delete;

    // Creates and shows the window; false when Windows refuses.
    bool create(HINSTANCE instance, int show);

    // Keys the message loop hands here before dispatching: Enter in the boxes,
    // Tab between the controls. True when the message was used up.
    bool preTranslate(MSG& message);

private:
    enum class State { Offline, Connecting, Joining, Chatting };

    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layout(int width, int height);
    void command(int id);
    void toggleConnection();
    void sendInput();
    void enter(State state);

    void linkConnected() override;
    void linkLine(std::string_view line) override;
    void linkClosed(const std::string& why) override;

    HWND window_ = nullptr;
    HWND addressLabel_ = nullptr;
    HWND address_ = nullptr;
    HWND nicknameLabel_ = nullptr;
    HWND nickname_ = nullptr;
    HWND connect_ = nullptr;
    HWND transcriptBox_ = nullptr;
    HWND input_ = nullptr;
    HWND send_ = nullptr;
    Transcript transcript_;
    ServerLink link_;
    State state_ = State::Offline;
};

}  // namespace chat
