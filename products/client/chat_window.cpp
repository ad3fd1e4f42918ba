#include "products/client/chat_window.h"

#include "products/client/control_ids.h"
#include "products/client/endpoint.h"
#include "products/client/server_line_text.h"
#include "products/protocol/nickname.h"
#include "products/protocol/protocol.h"
#include "products/protocol/wire.h"

#include <algorithm>

namespace chat {

namespace {

constexpr char kClassName[] = "TavrimoChatClient";
constexpr char kTitle[] = "聊天室客户端";

constexpr int kMargin = 10;
constexpr int kGap = 8;
constexpr int kRowHeight = 24;
constexpr int kButtonWidth = 80;
constexpr int kAddressWidth = 150;
constexpr int kNicknameWidth = 120;
constexpr int kMinWidth = 560;
constexpr int kMinHeight = 320;

std::string windowText(HWND window)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

int textWidth(HWND window, HFONT font, const char* text)
{
    HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

bool ChatWindow::create(HINSTANCE instance, int show)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass))
        return false;
    RECT frame{0, 0, 600, 440};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    if (!CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this))
        return false;
    ShowWindow(window_, show);
    UpdateWindow(window_);
    SetFocus(nickname_);
    return true;
}

bool ChatWindow::preTranslate(MSG& message)
{
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        if (message.hwnd == input_) {
            sendInput();
            return true;
        }
        if (message.hwnd == address_ || message.hwnd == nickname_) {
            if (state_ == State::Offline)
                toggleConnection();
            return true;
        }
    }
    return IsDialogMessageA(window_, &message);
}

LRESULT CALLBACK ChatWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ChatWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (auto* self = reinterpret_cast<ChatWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
        return self->handle(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT ChatWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (link_.handleMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_CREATE:
        createControls();
        return 0;
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        RECT frame{0, 0, kMinWidth, kMinHeight};
        AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // The transcript is read-only but is text to read, not a disabled box.
        if (reinterpret_cast<HWND>(lParam) == transcriptBox_) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            command(LOWORD(wParam));
        return 0;
    case WM_DESTROY:
        link_.close();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void ChatWindow::createControls()
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    auto make = [&](DWORD exStyle, const char* type, const char* text, DWORD style, int id) {
        HWND control = CreateWindowExA(exStyle, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return control;
    };
    addressLabel_ = make(0, "STATIC", "服务器：", SS_RIGHT | SS_CENTERIMAGE, 0);
    address_ = make(WS_EX_CLIENTEDGE, "EDIT", "127.0.0.1", WS_TABSTOP | ES_AUTOHSCROLL, control::Address);
    nicknameLabel_ = make(0, "STATIC", "昵称：", SS_RIGHT | SS_CENTERIMAGE, 0);
    nickname_ = make(WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, control::Nickname);
    connect_ = make(0, "BUTTON", "连接", WS_TABSTOP | BS_PUSHBUTTON, control::Connect);
    transcriptBox_ = make(WS_EX_CLIENTEDGE, "EDIT", "",
                          WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, control::Transcript);
    input_ = make(WS_EX_CLIENTEDGE, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, control::Input);
    send_ = make(0, "BUTTON", "发送", WS_TABSTOP | BS_PUSHBUTTON, control::Send);
    transcript_.attach(transcriptBox_);
    transcript_.append("*** 填写服务器地址（可写成 地址:端口，默认端口 " + std::to_string(kDefaultPort) + "）和昵称，然后点“连接”");
    enter(State::Offline);
}

void ChatWindow::layout(int width, int height)
{
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int addressLabelWidth = textWidth(window_, font, "服务器：") + 4;
    const int nicknameLabelWidth = textWidth(window_, font, "昵称：") + 4;
    int x = kMargin;
    auto place = [&](HWND control, int w, int y) {
        MoveWindow(control, x, y, w, kRowHeight, TRUE);
        x += w + (control == addressLabel_ || control == nicknameLabel_ ? 0 : kGap);
    };
    place(addressLabel_, addressLabelWidth, kMargin);
    place(address_, kAddressWidth, kMargin);
    place(nicknameLabel_, nicknameLabelWidth, kMargin);
    place(nickname_, kNicknameWidth, kMargin);
    place(connect_, kButtonWidth, kMargin);

    const int transcriptTop = kMargin + kRowHeight + kGap;
    const int bottomRow = height - kMargin - kRowHeight;
    const int fullWidth = width - 2 * kMargin;
    MoveWindow(transcriptBox_, kMargin, transcriptTop, fullWidth, std::max(0, bottomRow - kGap - transcriptTop), TRUE);
    x = kMargin;
    place(input_, std::max(0, fullWidth - kButtonWidth - kGap), bottomRow);
    place(send_, kButtonWidth, bottomRow);
}

void ChatWindow::command(int id)
{
    if (id == control::Connect)
        toggleConnection();
    else if (id == control::Send)
        sendInput();
}

void ChatWindow::toggleConnection()
{
    if (state_ != State::Offline) {
        link_.close();
        enter(State::Offline);
        transcript_.append("*** 已断开连接");
        return;
    }
    const auto endpoint = parseEndpoint(windowText(address_));
    if (!endpoint) {
        transcript_.append("！！ 服务器地址无效：请填写 IP 地址或主机名，可以带端口，例如 192.168.1.10:9527");
        SetFocus(address_);
        return;
    }
    if (const std::string_view problem = nicknameProblem(windowText(nickname_)); !problem.empty()) {
        transcript_.append("！！ " + std::string(problem));
        SetFocus(nickname_);
        return;
    }
    transcript_.append("*** 正在连接 " + describeEndpoint(*endpoint) + "……");
    // The state changes first: a connection refused at once reports back
    // from inside open().
    enter(State::Connecting);
    link_.open(window_, *endpoint);
}

void ChatWindow::sendInput()
{
    if (state_ != State::Chatting)
        return;
    const std::string text = windowText(input_);
    if (text.empty())
        return;
    if (text.size() > kMaxTextBytes) {
        transcript_.append("！！ 消息太长：最多 500 字节（约 250 个汉字），请分几次发送");
        return;
    }
    link_.send(formatLine(verb::Say, text));
    SetWindowTextA(input_, "");
    SetFocus(input_);
}

void ChatWindow::enter(State state)
{
    state_ = state;
    const bool offline = state == State::Offline;
    EnableWindow(address_, offline);
    EnableWindow(nickname_, offline);
    SetWindowTextA(connect_, offline ? "连接" : "断开");
    EnableWindow(send_, state == State::Chatting);
}

void ChatWindow::linkConnected()
{
    enter(State::Joining);
    link_.send(formatLine(verb::Nick, windowText(nickname_)));
}

void ChatWindow::linkLine(std::string_view line)
{
    const auto [verbWord, argument] = splitFirstWord(line);
    if (state_ == State::Joining && verbWord == verb::Welcome) {
        enter(State::Chatting);
        SetFocus(input_);
    }
    transcript_.append(describeServerLine(line));
    // Turned away in the nickname step (name taken, room full): the user
    // changes something and connects again.
    if (state_ == State::Joining && verbWord == verb::Err) {
        link_.close();
        enter(State::Offline);
        transcript_.append("*** 没能进入聊天室，修改后可以重新连接");
    }
}

void ChatWindow::linkClosed(const std::string& why)
{
    enter(State::Offline);
    transcript_.append("！！ " + why + "。可以点“连接”重新连接");
}

}  // namespace chat
