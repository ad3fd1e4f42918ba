#pragma once
// What a window definition holds: the window's own properties and an ordered
// list of controls, each with its number, parent, place, flags, kind-specific
// properties and event binding. Programs write their windows as tables of these.

#include <cstdint>
#include <variant>
#include <vector>

using WindowNumber = std::uint32_t;
using ControlNumber = std::uint32_t;
using Colour = std::uint32_t; // 0x00BBGGRR
using Handler = void (*)();
// A picture is an RCDATA resource of the program holding a whole PNG or JPEG file.
using PictureId = int;

constexpr ControlNumber WindowItself = 0x06010000; // the window addressed as a control
constexpr ControlNumber OnWindow = 0;               // parent of the window's direct children
constexpr Colour NoColour = 0xFF000000;
constexpr PictureId NoPicture = 0;

// Property numbers.
namespace Property {
// Of the window and every visual control.
constexpr int Left = 0, Top = 1, Width = 2, Height = 3, Tag = 4, Visible = 5, Disabled = 6, MousePointer = 7;
// Of the window.
constexpr int Title = 8, BorderStyle = 9, BackColour = 10, ControlBox = 15, MaximizeBox = 16, MinimizeBox = 17,
              Position = 18, Movable = 19, EscCloses = 22, ShowInTaskbar = 26, DragAnywhere = 27, AlwaysOnTop = 29;
// Of a picture button.
constexpr int ButtonType = 8, Checked = 9, NormalPicture = 10, HoverPicture = 11, PressedPicture = 12,
              DisabledPicture = 13, TransparentColour = 14;
// Of an edit box.
constexpr int Content = 8;
} // namespace Property

// Event numbers within a control kind.
namespace Event {
constexpr int Created = 0, WillBeDestroyed = 2; // of the window
constexpr int Clicked = 0;                      // of a picture button
constexpr int ContentChanged = 0;               // of an edit box
} // namespace Event

// Control flags.
enum : unsigned { FlagVisible = 1, FlagDisabled = 2, FlagTabStop = 4 };

// Switches of the window.
enum : unsigned {
    HasMinimizeBox = 1 << 0,
    HasMaximizeBox = 1 << 1,
    HasControlBox = 1 << 2,
    IsMovable = 1 << 3,
    ClosesOnEsc = 1 << 4,
    ShownInTaskbar = 1 << 5,
    DragsAnywhere = 1 << 6,
    StaysOnTop = 1 << 7,
    StartsVisible = 1 << 8,
};

struct Place {
    int left, top, width, height;
};

enum class ButtonType { Push = 0, Check = 1 };

struct PictureBox {
    int borderStyle;
    Colour backColour;
    PictureId picture;
};

struct PictureButtonPictures {
    PictureId normal, hover, pressed, disabled;
};

struct PictureButton {
    ButtonType type;
    int checked;
    Colour transparentColour;
    PictureButtonPictures pictures;
};

enum class InputMode { Normal = 0, ReadOnly = 1, Password = 2 };

struct EditBox {
    const char* content;
    InputMode inputMode;
    int borderStyle;
    Colour textColour, backColour;
    bool hideSelection;
    int maxLength;
    bool multiLine;
    int alignment;
    char passwordChar;
};

struct Label {
    const char* caption;
    int borderStyle;
    Colour textColour, backColour;
    int horizontalAlignment, verticalAlignment;
    bool wordWrap;
};

struct GroupBox {
    const char* caption;
    int alignment;
    Colour textColour, backColour;
};

// A non-visual component: created with the window, never shown.
struct Component {};

using ControlKind = std::variant<PictureBox, PictureButton, EditBox, Label, GroupBox, Component>;

struct Binding {
    int event = -1;
    Handler handler = nullptr;
};

struct ControlDefinition {
    ControlNumber number;
    const char* formName;
    ControlNumber parent;
    Place place;
    unsigned flags;
    ControlKind kind;
    Binding binding;
};

struct WindowDefinition {
    WindowNumber number;
    const char* title;
    Place place;
    int borderStyle;
    Colour backColour;
    int position; // 0 normal, 1 centred, 2 minimised, 3 maximised
    unsigned switches;
    Handler created;
    Handler willBeDestroyed;
    std::vector<ControlDefinition> controls;
};
