#include "wizard/window_definition.h"

#include "wizard/controls.h"
#include "wizard/handlers.h"
#include "wizard/pictures.h"

namespace {

// Flags: visible, disabled, tab stop.
constexpr unsigned V = FlagVisible, D = FlagDisabled, T = FlagTabStop;
constexpr Colour White = 0x00FFFFFF, Black = 0x00000000, MidGrey = 0x00606060;

constexpr Binding Clicked(Handler handler) { return {Event::Clicked, handler}; }
constexpr Binding ContentChanged(Handler handler) { return {Event::ContentChanged, handler}; }
constexpr Binding None{};

constexpr PictureButton pushButton(PictureButtonPictures pictures, Colour transparent = NoColour)
{
    return {ButtonType::Push, 0, transparent, pictures};
}
constexpr PictureButton checkButton(int checked, PictureButtonPictures pictures)
{
    return {ButtonType::Check, checked, NoColour, pictures};
}
constexpr PictureBox page() { return {0, White, NoPicture}; }

} // namespace

const WindowDefinition& wizardWindowDefinition()
{
    static const WindowDefinition definition{
        WizardWindow,
        "Tavrimo1.1 - 安装向导",
        {50, 50, 480, 340}, // left and top unused: the window starts centred
        0,                  // no frame, no caption
        White,
        1,                  // centred
        HasMinimizeBox | HasControlBox | IsMovable | ClosesOnEsc | ShownInTaskbar | DragsAnywhere | StartsVisible,
        fillInDefaultPath,
        removeStagingFiles,
        {
            // Siblings are stacked in this order, the first on top.
            // #  number            form name       parent          left top  width height  flags
            //    kind and its properties
            //    binding
            /* 1 */ {RunServerOption, "图形按钮8", FinishPage, {30, 10, 180, 25}, V | D,
                     checkButton(1, {PICTURE_RUN_SERVER_OPTION, NoPicture, PICTURE_RUN_SERVER_OPTION_CHECKED,
                                     PICTURE_RUN_SERVER_OPTION_DISABLED}),
                     None},
            /* 2 */ {RunClientOption, "图形按钮9", FinishPage, {260, 10, 180, 25}, V | D,
                     checkButton(1, {PICTURE_RUN_CLIENT_OPTION, NoPicture, PICTURE_RUN_CLIENT_OPTION_CHECKED,
                                     PICTURE_RUN_CLIENT_OPTION_DISABLED}),
                     None},
            /* 3 */ {FinishButton, "图形按钮7", FinishPage, {160, 55, 148, 53}, V,
                     pushButton({PICTURE_FINISH_BUTTON, PICTURE_FINISH_BUTTON_HOVER, PICTURE_FINISH_BUTTON_PRESSED,
                                 NoPicture}),
                     Clicked(startChosenPrograms)},
            /* 4 */ {FinishPage, "图片框3", OnWindow, {5, 90, 470, 120}, 0,
                     page(),
                     None},
            /* 5 */ {InstallPathBox, "编辑框1", PathGroup, {10, 10, 395, 20}, V | T,
                     EditBox{"", InputMode::ReadOnly, 0, Black, White, true, 0, false, 0, '*'},
                     ContentChanged(collapseDoubledBackslashes)},
            /* 6 */ {PathLabel, "标签1", OptionsPage, {15, 110, 65, 25}, V,
                     Label{"安装路径：", 0, MidGrey, White, 0, 1, false},
                     None},
            /* 7 */ {ServerTile, "图形按钮10", OptionsPage, {20, 0, 200, 109}, V,
                     checkButton(0, {PICTURE_SERVER_TILE, NoPicture, PICTURE_SERVER_TILE_CHECKED, NoPicture}),
                     Clicked(serverTileClicked)},
            /* 8 */ {ClientTile, "图形按钮11", OptionsPage, {250, 0, 200, 109}, V,
                     checkButton(0, {PICTURE_CLIENT_TILE, NoPicture, PICTURE_CLIENT_TILE_CHECKED, NoPicture}),
                     Clicked(clientTileClicked)},
            /* 9 */ {BrowseButton, "图形按钮4", OptionsPage, {430, 152, 20, 16}, V,
                     pushButton({PICTURE_BROWSE_BUTTON, PICTURE_BROWSE_BUTTON_HOVER, PICTURE_BROWSE_BUTTON_PRESSED,
                                 NoPicture}),
                     Clicked(browseForInstallPath)},
            /* 10 */ {ShortcutOption, "图形按钮5", OptionsPage, {5, 200, 165, 25}, V | D,
                      checkButton(1, {PICTURE_SHORTCUT_OPTION, NoPicture, PICTURE_SHORTCUT_OPTION_CHECKED,
                                      PICTURE_SHORTCUT_OPTION_DISABLED}),
                      None},
            /* 11 */ {LexiconOption, "图形按钮6", OptionsPage, {195, 200, 90, 25}, V | D,
                      checkButton(1, {PICTURE_LEXICON_OPTION, NoPicture, PICTURE_LEXICON_OPTION_CHECKED,
                                      PICTURE_LEXICON_OPTION_DISABLED}),
                      None},
            /* 12 */ {InstallButton, "图形按钮1", OptionsPage, {310, 185, 148, 53}, V,
                      pushButton({PICTURE_INSTALL_BUTTON, PICTURE_INSTALL_BUTTON_HOVER, PICTURE_INSTALL_BUTTON_PRESSED,
                                  NoPicture},
                                 White),
                      Clicked(installChosenPrograms)},
            /* 13 */ {OptionsPage, "图片框2", OnWindow, {5, 90, 470, 245}, V,
                      page(),
                      None},
            /* 14 */ {ZipExtractor, "ZIP压缩1", OnWindow, {256, 0, 26, 26}, 0,
                      Component{},
                      None},
            /* 15 */ {BannerPicture, "图片框1", OnWindow, {5, 5, 250, 85}, V,
                      PictureBox{0, White, PICTURE_BANNER},
                      None},
            /* 16 */ {CloseButton, "图形按钮3", OnWindow, {428, 0, 52, 35}, V,
                      pushButton({PICTURE_CLOSE, PICTURE_CLOSE_HOVER, PICTURE_CLOSE_PRESSED, NoPicture}),
                      Clicked(closeWizard)},
            /* 17 */ {MinimizeButton, "图形按钮2", OnWindow, {386, 0, 42, 35}, V,
                      pushButton({PICTURE_MINIMIZE, PICTURE_MINIMIZE_HOVER, PICTURE_MINIMIZE_PRESSED, NoPicture}),
                      Clicked(minimiseWizard)},
            /* 18 */ {PathGroup, "分组框2", OptionsPage, {10, 140, 450, 35}, V,
                      GroupBox{"", 0, Black, White},
                      None},
        }};
    return definition;
}
