#pragma once
// The window toolkit: windows built from their definitions, addressed by window
// number, control number and property number, and the events that run the
// program's handlers. Everything runs on the user-interface thread.

#include <initializer_list>
#include <optional>
#include <type_traits>

#include "host/types.h"
#include "host/ui/definition.h"

// A property's value: an integer (logical values are 0 or 1, colours 0x00BBGGRR) or a text.
class PropertyValue {
public:
    template <typename Number, std::enable_if_t<std::is_integral_v<Number>, int> = 0>
    PropertyValue(Number number) : number_(static_cast<long long>(number)) {}
    PropertyValue(Text text) : text_(std::move(text)) {}
    PropertyValue(const char* text) : text_(text) {}

    long long number() const { return number_; }
    const Text& text() const { return text_; }

private:
    long long number_ = 0;
    Text text_;
};

// The windows this program can load (read once at start-up).
void defineWindows(std::initializer_list<const WindowDefinition*> definitions);

void loadWindow(WindowNumber window);
void runMessageLoop();
PropertyValue readProperty(WindowNumber window, ControlNumber control, int property, int component = -1);
void writeProperty(WindowNumber window, ControlNumber control, int property, int component, const PropertyValue& value,
                   int high = 0);
void destroyWindow(WindowNumber window, ControlNumber control, std::optional<bool> destroyNow = std::nullopt);
int showMessage(const Text& text, int flags, std::optional<Text> title = std::nullopt);

// Tells the user in an error box, then ends the program with exit code -1.
[[noreturn]] void fatalError(const Text& message);
