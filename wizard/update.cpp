#include "wizard/update.h"

#include <windows.h>

#include <optional>

#include "host/files/file_system.h"
#include "host/files/run_program.h"
#include "host/files/special_folder.h"
#include "host/net/http_read_file.h"
#include "host/text/text.h"
#include "host/zip/extract_archive.h"
#include "wizard/reading.h"

#ifndef TAVRIMO_UPDATE_HOST
#error "TAVRIMO_UPDATE_HOST names the update server (host or host:port); the build sets it"
#endif

namespace {

constexpr int DesktopFolder = 3;
const char* const VersionTextUrl = "http://" TAVRIMO_UPDATE_HOST "/Tavrimo - 安装向导.txt";
const char* const UpdateArchiveUrl = "http://" TAVRIMO_UPDATE_HOST "/Tavrimo - 安装向导.zip";
const char* const DownloadPath = "C:\\Program Files\\Tavrimo - 安装向导.zip";
const char* const VersionMarker = "当前版本";
const char* const OwnVersion = "1.1";
const char* const Prompt = "发现最新版本，是否前去更新！\r\n确认后软件将\"后台更新\"下载！";

bool versionTextHolds(const char* text)
{
    return findText(bytesToText(httpReadFile(VersionTextUrl)), text, std::nullopt, false) != -1;
}

Text newerWizardPath() { return joinText({getSpecialFolder(DesktopFolder), "\\Tavrimo - 安装向导.exe"}); }

// Downloads the update and unpacks it onto the desktop; what went wrong, if anything.
std::optional<Text> fetchNewerWizard()
{
    ByteSet archive = httpReadFile(UpdateArchiveUrl);
    if (archive.empty())
        return Text("无法从更新服务器下载新版本。");
    if (!writeFile(DownloadPath, {archive}))
        return joinText({"无法保存下载的文件“", DownloadPath, "”。"});
    if (extractArchive(Text(DownloadPath), getSpecialFolder(DesktopFolder)) != 1)
        return Text("下载的更新包无法完整解压到桌面（桌面上的同名文件可能正在使用）。");
    if (!fileExists(newerWizardPath()))
        return Text("更新包中没有新版本的安装向导。");
    return std::nullopt;
}

} // namespace

void checkForNewerWizard()
{
    // Two independent fetches: one must name a current version, the other must
    // not hold ours.
    if (!versionTextHolds(VersionMarker) || versionTextHolds(OwnVersion))
        return;
    if (showMessage(Prompt, MB_YESNO | MB_ICONQUESTION, "提示：") != 5)
        return;

    write(WindowItself, Property::Visible, 0);
    std::optional<Text> failure = fetchNewerWizard();
    if (failure) {
        // Nothing is started and this wizard stays: the installation goes on in sight.
        deleteFile(DownloadPath);
        write(WindowItself, Property::Visible, 1);
        showMessage(joinText({"更新失败：", *failure, "\r\n将继续使用当前版本安装。"}), MB_ICONEXCLAMATION, "警告：");
        return;
    }
    showMessage("更新完成！", MB_TOPMOST);
    deleteFile(DownloadPath);
    runProgram(newerWizardPath());
    destroyWindow(WizardWindow, WindowItself);
}
