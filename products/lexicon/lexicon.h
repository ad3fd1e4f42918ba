#pragma once

// The server's word library: keywords and the reply each one triggers.
//
// File format (reply.ini): GBK text, lines ending in CR LF (a lone LF is taken
// too), pairs of a keyword line and a reply line separated by blank lines. Spaces
// around a line are ignored. A keyword without a reply, a third line in a pair,
// a repeated keyword and a line that is not printable GBK are skipped and
// reported as issues, so one slip does not take the whole library down.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chat {

struct LexiconEntry {
    std::string keyword;
    std::string reply;

};

inline bool operator==(const LexiconEntry& a, const LexiconEntry& b)
{
    return a.keyword == b.keyword && a.reply == b.reply;
}

struct LexiconIssue {
    std::size_t line;  // 1-based
    std::string what;
};

class Lexicon {
public:
    Lexicon() = default;
    explicit Lexicon(std::vector<LexiconEntry> entries);

    // The reply for the longest keyword found in message (the earlier one on a
    // tie), or null. Matches start and end between characters, ASCII letters
    // match in either case, and a keyword that begins or ends with an ASCII
    // letter or digit must not touch another one ("hi" is not found in "this").
    const LexiconEntry* match(std::string_view message) const;

    const std::vector<LexiconEntry>& entries() const { return entries_; }

private:
    std::vector<LexiconEntry> entries_;
    std::vector<std::string> foldedKeywords_;  // in step with entries_
};

struct ParsedLexicon {
    Lexicon lexicon;
    std::vector<LexiconIssue> issues;
};

ParsedLexicon parseLexicon(std::string_view bytes);

// Null when the file cannot be read.
std::optional<ParsedLexicon> loadLexiconFile(const std::string& path);

}  // namespace chat
