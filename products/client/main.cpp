// 聊天室客户端: a small window for chatting with a 聊天室服务器 on the LAN.

#include "products/client/chat_window.h"
#include "products/protocol/socket.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    try {
        const chat::WinsockSession winsock;
        chat::ChatWindow window;
        if (!window.create(instance, show))
            return 1;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (window.preTranslate(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return static_cast<int>(message.wParam);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "聊天室客户端", MB_OK | MB_ICONERROR);
        return 1;
    }
}
