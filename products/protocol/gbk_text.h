#pragma once

// Character-aware helpers for GBK (code page 936) byte strings. A byte
// 0x81..0xFE opens a two-byte character whose second byte may look like ASCII
// (0x40..0x7E), so searching such text byte by byte finds false matches.

#include <cstddef>
#include <string>
#include <string_view>

namespace chat {

bool isGbkLeadByte(unsigned char byte);
bool isGbkTrailByte(unsigned char byte);

// Position of the character after the one starting at pos. A stray byte that
// does not form a valid character counts as one character of its own.
std::size_t nextCharacter(std::string_view text, std::size_t pos);

enum class TextProblem { None, InvalidGbk, ControlCharacter };

// Whether text is printable GBK: valid two-byte characters, no control bytes.
TextProblem checkText(std::string_view text);

// Length of the longest prefix of at most maxBytes that ends between characters.
std::size_t fitToCharacters(std::string_view text, std::size_t maxBytes);

// Text with ASCII letters in lower case, for comparing without regard to case.
// Only single-byte characters are folded: a trail byte may fall in the ASCII
// letter range. Character boundaries stay where they were.
std::string foldAsciiCase(std::string_view text);

// Text without the ASCII spaces at either end; a space is never part of a
// two-byte character, so this cannot cut one.
std::string_view trimSpaces(std::string_view text);

// Position of the last single-byte character that is one of the ASCII bytes
// in chars, or npos.
std::size_t findLastCharacterOf(std::string_view text, std::string_view chars);

}  // namespace chat
