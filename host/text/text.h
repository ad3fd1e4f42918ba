#pragma once
// Operations on GBK byte texts. Searching and replacing step over two-byte
// characters (a byte 0x80-0xFF opens one), so a match only ever starts at the
// start of a character; positions are 1-based byte offsets, -1 is "not found".

#include <initializer_list>
#include <optional>
#include <string_view>

#include "host/types.h"

// The bytes before the first NUL byte (all of them when there is none).
Text bytesToText(ByteView bytes);

// Position of the first occurrence of `sub` at or after `start` (from the first
// byte when omitted or below 2), or -1. Note the flag's sense: true ignores case.
int findText(const Text& text, const Text& sub, std::optional<int> start, bool ignoreCase);

// Replaces occurrences of `oldSub` from `start` on, left to right and without
// overlap, at most `count` times (unlimited when omitted or negative). Note the
// flag's sense: true matches exact case.
Text replaceText(const Text& text, const Text& oldSub, std::optional<Text> newSub,
                 std::optional<int> start, std::optional<int> count, bool exactCase);

// The parts' bytes one after the other; no separator, nothing normalised.
Text joinText(std::initializer_list<std::string_view> parts);

// -1, 0 or 1, comparing bytes as unsigned values; a proper prefix is smaller.
int compareText(const Text& a, const Text& b);
