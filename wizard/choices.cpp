// The choice of programs and the install path on the options page.
#include "host/files/folder_chooser.h"
#include "host/files/special_folder.h"
#include "host/text/text.h"
#include "wizard/handlers.h"
#include "wizard/reading.h"

namespace {

constexpr int DesktopFolder = 3;
const char* const DoubledBackslash = "\\\\";

} // namespace

void fillInDefaultPath()
{
    // The desktop folder already ends in a backslash.
    Text path = joinText({getSpecialFolder(DesktopFolder), "Tavrimo"});
    write(InstallPathBox, Property::Content, path);
}

void serverTileClicked()
{
    if (isChecked(ServerTile)) {
        write(ShortcutOption, Property::Disabled, 0);
        write(LexiconOption, Property::Disabled, 0);
        write(RunServerOption, Property::Disabled, 0);
        write(RunClientOption, Property::Disabled, 0);
        write(ClientTile, Property::Checked, 1);
    } else {
        write(ShortcutOption, Property::Disabled, 1);
        write(LexiconOption, Property::Disabled, 1);
        write(RunServerOption, Property::Disabled, 1);
        // The client is still chosen: it cannot be unchosen while the server is.
        write(RunClientOption, Property::Disabled, 0);
    }
}

void clientTileClicked()
{
    // The server cannot be had without the client.
    if (isChecked(ServerTile))
        write(ClientTile, Property::Checked, 1);
    write(RunClientOption, Property::Disabled, isChecked(ClientTile) ? 0 : 1);
}

void browseForInstallPath()
{
    Text chosen = browseForFolder("请选择目录：");
    if (compareText(chosen, "") != 0)
        write(InstallPathBox, Property::Content, joinText({chosen, "\\Tavrimo"}));
}

// Each write of the path runs this again, nested, until no backslash is doubled:
// every pass halves the runs of backslashes.
void collapseDoubledBackslashes()
{
    if (findText(installPath(), DoubledBackslash, std::nullopt, false) == -1)
        return;
    Text collapsed = replaceText(installPath(), DoubledBackslash, "\\", std::nullopt, std::nullopt, true);
    write(InstallPathBox, Property::Content, collapsed);
}
