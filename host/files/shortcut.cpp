#include "host/files/shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "host/files/com_ptr.h"

namespace {

// No GBK character has a full stop as its second byte, so a byte search is exact.
Text fileNameOf(const Text& link)
{
    return link.find('.') == Text::npos ? link + ".lnk" : link;
}

std::wstring wideFromAnsi(const Text& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.pop_back();
    return wide;
}

} // namespace

bool createShortcut(const Text& link, const Text& target, std::optional<Text> description,
                    std::optional<Text> arguments, std::optional<Text> workingDirectory)
{
    ComPtr<IShellLinkA> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shellLink.put())))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put())))
        return false;

    shellLink->SetPath(target.c_str());
    shellLink->SetShowCmd(SW_SHOW);
    if (description)
        shellLink->SetDescription(description->c_str());
    if (arguments)
        shellLink->SetArguments(arguments->c_str());
    if (workingDirectory)
        shellLink->SetWorkingDirectory(workingDirectory->c_str());

    const std::wstring name = wideFromAnsi(fileNameOf(link));
    return !name.empty() && SUCCEEDED(file->Save(name.c_str(), TRUE));
}
