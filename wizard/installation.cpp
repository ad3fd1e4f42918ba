// The installation run behind the install button, and what it leaves in the
// staging folder removed when the window closes.
#include <windows.h>

#include <optional>

#include "host/files/file_system.h"
#include "host/files/shortcut.h"
#include "host/files/special_folder.h"
#include "host/text/text.h"
#include "host/ui/busy_cursor.h"
#include "host/zip/extract_archive.h"
#include "payload/payload.h"
#include "wizard/handlers.h"
#include "wizard/reading.h"
#include "wizard/update.h"

namespace {

constexpr int DesktopFolder = 3;
const char* const StagingDirectory = "C:\\Program Files\\Tavrimo";

struct Payload {
    const char* name; // as the user knows it
    const char* stagingFile;
    const ByteView& archive;
    ControlNumber chosenBy;
};

const Payload Server{"聊天室服务器", "C:\\Program Files\\Tavrimo\\聊天室服务器.zip", ServerArchive, ServerTile};
const Payload Client{"聊天室客户端", "C:\\Program Files\\Tavrimo\\聊天室客户端.zip", ClientArchive, ClientTile};
const Payload Lexicon{"词库", "C:\\Program Files\\Tavrimo\\词库.zip", LexiconArchive, LexiconOption};

void warn(const Text& text) { showMessage(text, MB_ICONEXCLAMATION, "警告："); }

// The staging folder's contents go when the window closes, so nothing may be
// installed into it.
bool liesInStagingDirectory(const Text& path)
{
    return findText(joinText({fullPathOf(path), "\\"}), joinText({StagingDirectory, "\\"}), std::nullopt, true) == 1;
}

// Writes the archive to the staging folder and extracts it into the install
// path; what went wrong, if anything.
std::optional<Text> install(const Payload& payload)
{
    if (!writeFile(payload.stagingFile, {payload.archive}))
        return joinText({"无法写入临时文件“", payload.stagingFile, "”。"});
    if (extractArchive(Text(payload.stagingFile), installPath()) != 1)
        return joinText({"无法解压到安装路径“", installPath(), "”。"});
    return std::nullopt;
}

void reportFailure(const Payload& payload, const Text& reason, const char* advice)
{
    warn(joinText({payload.name, "安装失败：", reason, "\r\n", advice}));
}

void switchToFinishPage()
{
    write(OptionsPage, Property::Visible, 0);
    write(FinishPage, Property::Visible, 1);
    write(WindowItself, Property::Height, 210);
    write(WindowItself, Property::Position, 1);
}

void createShortcuts()
{
    createShortcut(joinText({getSpecialFolder(DesktopFolder), "\\聊天室服务器.lnk"}),
                   joinText({installPath(), "\\聊天室服务器.exe"}));
    createShortcut(joinText({getSpecialFolder(DesktopFolder), "\\聊天室客户端.lnk"}),
                   joinText({installPath(), "\\聊天室客户端.exe"}));
}

// Installs the programs chosen; false, after telling the user, when one failed.
bool installPrograms()
{
    for (const Payload* program : {&Server, &Client}) {
        if (!isChecked(program->chosenBy))
            continue;
        if (auto failure = install(*program)) {
            reportFailure(*program, *failure, "请检查安装路径，或选择其他目录后重试。");
            return false;
        }
    }
    return true;
}

} // namespace

void installChosenPrograms()
{
    if (isChecked(ServerTile) || isChecked(ClientTile)) {
        BusyCursor busy;
        if (liesInStagingDirectory(installPath())) {
            warn(joinText({"不能安装到临时目录“", StagingDirectory, "”中，请选择其他目录！"}));
            return;
        }
        checkForNewerWizard();
        if (!fileExists(StagingDirectory))
            createDirectory(StagingDirectory);
        // A program that failed keeps the options page, so another folder can be tried.
        if (!installPrograms())
            return;
        switchToFinishPage();
        if (isEnabledAndChecked(ShortcutOption))
            createShortcuts();
        if (isEnabledAndChecked(Lexicon.chosenBy))
            if (auto failure = install(Lexicon))
                reportFailure(Lexicon, *failure, "聊天室服务器仍可使用，但不会自动回复。");
    }
    if (!isChecked(ServerTile) && !isChecked(ClientTile))
        warn("请选择一个需要安装的聊天端！");
}

void removeStagingFiles()
{
    // Only what the wizard put there: anything else in the folder stays, and so
    // does the folder then.
    for (const Payload* payload : {&Server, &Client, &Lexicon})
        deleteFile(payload->stagingFile);
    removeEmptyDirectory(StagingDirectory);
}
