#pragma once
// Entry names reach the packer as UTF-8 (the build scripts' encoding) and are
// stored in the archive as GBK, the code page the wizard's systems use.

#include <optional>
#include <string>

// The GBK bytes of a UTF-8 text; nothing when a character has no GBK form.
std::optional<std::string> utf8ToGbk(const std::string& utf8);
