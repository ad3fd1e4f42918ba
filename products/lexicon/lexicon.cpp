#include "products/lexicon/lexicon.h"

#include "products/protocol/gbk_text.h"
#include "products/protocol/protocol.h"

#include <fstream>
#include <iterator>
#include <unordered_set>

namespace chat {

namespace {

bool isAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// For each byte of text: whether a character starts there (index text.size()
// counts as one), and whether it is an ASCII letter or digit standing as a
// character of its own rather than the trail byte of a two-byte character.
struct CharacterMap {
    std::vector<bool> starts;
    std::vector<bool> alnum;

    explicit CharacterMap(std::string_view text) : starts(text.size() + 1), alnum(text.size())
    {
        for (std::size_t pos = 0; pos < text.size(); pos = nextCharacter(text, pos)) {
            starts[pos] = true;
            alnum[pos] = isAsciiAlnum(text[pos]);
        }
        starts[text.size()] = true;
    }
};

bool containsKeyword(std::string_view message, const CharacterMap& map, std::string_view keyword)
{
    const bool wordStart = isAsciiAlnum(keyword.front());
    const bool wordEnd = isAsciiAlnum(keyword.back());
    for (std::size_t pos = message.find(keyword); pos != std::string_view::npos; pos = message.find(keyword, pos + 1)) {
        const std::size_t end = pos + keyword.size();
        if (!map.starts[pos] || !map.starts[end])
            continue;
        const bool touchesBefore = wordStart && pos > 0 && map.alnum[pos - 1];
        const bool touchesAfter = wordEnd && end < message.size() && map.alnum[end];
        if (!touchesBefore && !touchesAfter)
            return true;
    }
    return false;
}

std::string_view lineProblem(std::string_view line)
{
    if (line.size() > kMaxTextBytes)
        return "太长（最多 500 字节）";
    switch (checkText(line)) {
    case TextProblem::InvalidGbk: return "含有无效的 GBK 字节";
    case TextProblem::ControlCharacter: return "含有控制字符";
    case TextProblem::None: break;
    }
    return {};
}

struct NumberedLine {
    std::size_t number;
    std::string_view text;
};

// Blank-line-separated groups of non-blank lines.
std::vector<std::vector<NumberedLine>> splitGroups(std::string_view bytes)
{
    std::vector<std::vector<NumberedLine>> groups(1);
    for (std::size_t number = 1; !bytes.empty(); ++number) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = trimSpaces(line);
        if (!line.empty())
            groups.back().push_back({number, line});
        else if (!groups.back().empty())
            groups.emplace_back();
    }
    if (groups.back().empty())
        groups.pop_back();
    return groups;
}

}  // namespace

Lexicon::Lexicon(std::vector<LexiconEntry> entries) : entries_(std::move(entries))
{
    for (const LexiconEntry& entry : entries_)
        foldedKeywords_.push_back(foldAsciiCase(entry.keyword));
}

const LexiconEntry* Lexicon::match(std::string_view message) const
{
    const std::string folded = foldAsciiCase(message);
    const CharacterMap map(folded);
    const LexiconEntry* best = nullptr;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string& keyword = foldedKeywords_[i];
        if ((!best || keyword.size() > best->keyword.size()) && containsKeyword(folded, map, keyword))
            best = &entries_[i];
    }
    return best;
}

ParsedLexicon parseLexicon(std::string_view bytes)
{
    std::vector<LexiconEntry> entries;
    std::vector<LexiconIssue> issues;
    std::unordered_set<std::string> seen;
    auto report = [&issues](const NumberedLine& line, std::string what) {
        issues.push_back({line.number, std::move(what)});
    };
    for (const auto& group : splitGroups(bytes)) {
        const NumberedLine& keyword = group[0];
        if (group.size() == 1) {
            report(keyword, "关键词没有回复行，已跳过");
            continue;
        }
        const NumberedLine& reply = group[1];
        for (std::size_t extra = 2; extra < group.size(); ++extra)
            report(group[extra], "一组只有关键词和回复两行，多余的行已忽略");
        if (const auto problem = lineProblem(keyword.text); !problem.empty()) {
            report(keyword, "关键词" + std::string(problem) + "，已跳过");
            continue;
        }
        if (const auto problem = lineProblem(reply.text); !problem.empty()) {
            report(reply, "回复" + std::string(problem) + "，已跳过");
            continue;
        }
        if (!seen.insert(foldAsciiCase(keyword.text)).second) {
            report(keyword, "关键词重复，已跳过");
            continue;
        }
        entries.push_back({std::string(keyword.text), std::string(reply.text)});
    }
    return {Lexicon(std::move(entries)), std::move(issues)};
}

std::optional<ParsedLexicon> loadLexiconFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    return parseLexicon(bytes);
}

}  // namespace chat
