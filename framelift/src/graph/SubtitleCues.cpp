#include "SubtitleCues.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

namespace framelift {
namespace {

// "00:01:02,500", "01:02.500" (WebVTT may leave out the hours), "0:01:02.50" (SSA).
bool parseTime(const std::string& text, GstClockTime& out)
{
    static const std::regex time(R"(^\s*(?:(\d+):)?(\d{1,2}):(\d{1,2})[,.](\d{1,3})\s*$)");
    std::smatch m;
    if (!std::regex_match(text, m, time))
        return false;
    const long long hours = m[1].matched ? std::stoll(m[1]) : 0;
    std::string fraction = m[4];
    fraction.resize(3, '0');
    const long long ms = ((hours * 60 + std::stoll(m[2])) * 60 + std::stoll(m[3])) * 1000 +
                         std::stoll(fraction);
    out = static_cast<GstClockTime>(ms) * GST_MSECOND;
    return true;
}

// Escapes the text for Pango and gives back the styling tags SubRip uses (<i>, <b>, <u>);
// other tags (<font ...>) are dropped, and a tag left unclosed is dropped too.
std::string toMarkup(const std::string& text)
{
    static const std::regex otherTags(R"(<(?!/?[ibuIBU]>)[^>]*>)");
    const std::string kept = std::regex_replace(text, otherTags, "");
    gchar* escaped = g_markup_escape_text(kept.c_str(), static_cast<gssize>(kept.size()));
    std::string markup = escaped;
    g_free(escaped);
    for (const char tag : {'i', 'b', 'u'}) {
        const std::string open = std::string("&lt;") + tag + "&gt;";
        const std::string close = std::string("&lt;/") + tag + "&gt;";
        size_t opens = 0, closes = 0;
        for (size_t at = markup.find(open); at != std::string::npos; at = markup.find(open, at + 1))
            ++opens;
        for (size_t at = markup.find(close); at != std::string::npos; at = markup.find(close, at + 1))
            ++closes;
        const bool balanced = opens == closes;
        for (const auto& [from, to] : {std::pair{open, std::string("<") + tag + ">"},
                                       std::pair{close, std::string("</") + tag + ">"}}) {
            for (size_t at = markup.find(from); at != std::string::npos; at = markup.find(from, at))
                markup.replace(at, from.size(), balanced ? to : std::string());
        }
    }
    return markup;
}

}  // namespace

std::string subtitleMarkup(const std::string& text)
{
    return toMarkup(text);
}

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// SubRip and WebVTT: a timing line "start --> end", then the text up to a blank line.
void parseTimedBlocks(const std::vector<std::string>& lines, std::vector<SubtitleCue>& cues)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t arrow = lines[i].find("-->");
        if (arrow == std::string::npos)
            continue;
        // WebVTT may put cue settings after the end time.
        std::string endText = lines[i].substr(arrow + 3);
        const size_t first = endText.find_first_not_of(" \t");
        endText = first == std::string::npos ? "" : endText.substr(first);
        endText = endText.substr(0, endText.find_first_of(" \t"));
        SubtitleCue cue;
        if (!parseTime(lines[i].substr(0, arrow), cue.start) || !parseTime(endText, cue.end) ||
            cue.end <= cue.start)
            continue;
        std::string text;
        for (++i; i < lines.size() && !lines[i].empty(); ++i)
            text += (text.empty() ? "" : "\n") + lines[i];
        cue.markup = toMarkup(text);
        if (!cue.markup.empty())
            cues.push_back(std::move(cue));
    }
}

// SSA and ASS: "Dialogue: layer,start,end,style,name,marginL,marginR,marginV,effect,text".
void parseDialogues(const std::vector<std::string>& lines, std::vector<SubtitleCue>& cues)
{
    static const std::regex overrides(R"(\{[^}]*\})");
    for (const std::string& line : lines) {
        if (line.rfind("Dialogue:", 0) != 0)
            continue;
        std::vector<std::string> fields;
        size_t start = 9;
        for (int n = 0; n < 9; ++n) {
            const size_t comma = line.find(',', start);
            if (comma == std::string::npos)
                break;
            fields.push_back(line.substr(start, comma - start));
            start = comma + 1;
        }
        SubtitleCue cue;
        if (fields.size() < 9 || !parseTime(fields[1], cue.start) ||
            !parseTime(fields[2], cue.end) || cue.end <= cue.start)
            continue;
        std::string text = std::regex_replace(line.substr(start), overrides, "");
        for (const auto& [from, to] :
             {std::pair{"\\N", "\n"}, std::pair{"\\n", "\n"}, std::pair{"\\h", " "}}) {
            for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
                text.replace(at, 2, to);
        }
        cue.markup = toMarkup(text);
        if (!cue.markup.empty())
            cues.push_back(std::move(cue));
    }
}

std::string converted(const std::string& bytes, const char* from)
{
    gsize written = 0;
    gchar* text = g_convert(bytes.data(), static_cast<gssize>(bytes.size()), "UTF-8", from,
                            nullptr, &written, nullptr);
    std::string result = text ? std::string(text, written) : std::string();
    g_free(text);
    return result;
}

// The file's text as UTF-8: a byte order mark tells UTF-8 or UTF-16; other text that is not
// valid UTF-8 is taken to be in `encoding`.
std::string asUtf8(std::string bytes, const std::string& encoding)
{
    if (bytes.rfind("\xef\xbb\xbf", 0) == 0)
        return bytes.substr(3);
    if (bytes.rfind("\xff\xfe", 0) == 0 || bytes.rfind("\xfe\xff", 0) == 0)
        return converted(bytes, "UTF-16");
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr))
        return bytes;
    std::string text = converted(bytes, encoding.c_str());
    return text.empty() ? converted(bytes, "WINDOWS-1252") : text;
}

}  // namespace

SubtitleCues SubtitleCues::read(const std::string& path, const std::string& encoding)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(asUtf8(bytes, encoding));
}

SubtitleCues SubtitleCues::parse(const std::string& text)
{
    SubtitleCues result;
    const std::vector<std::string> lines = linesOf(text);
    parseTimedBlocks(lines, result.cues_);
    parseDialogues(lines, result.cues_);
    std::stable_sort(result.cues_.begin(), result.cues_.end(),
                     [](const SubtitleCue& a, const SubtitleCue& b) { return a.start < b.start; });
    for (const SubtitleCue& cue : result.cues_)
        result.longest_ = std::max(result.longest_, cue.end - cue.start);
    return result;
}

void SubtitleCues::add(SubtitleCue cue)
{
    if (cue.end <= cue.start || cue.markup.empty())
        return;
    auto place = std::upper_bound(cues_.begin(), cues_.end(), cue.start,
                                  [](GstClockTime t, const SubtitleCue& c) { return t < c.start; });
    for (auto it = place; it != cues_.begin() && std::prev(it)->start == cue.start; --it) {
        if (std::prev(it)->markup == cue.markup)
            return;
    }
    longest_ = std::max(longest_, cue.end - cue.start);
    cues_.insert(place, std::move(cue));
}

std::string SubtitleCues::at(GstClockTime at) const
{
    // The cues that began by `at`; of those, only the ones that began within the longest cue's
    // length can still show.
    const auto past = std::upper_bound(cues_.begin(), cues_.end(), at,
                                       [](GstClockTime t, const SubtitleCue& c) { return t < c.start; });
    auto first = past;
    while (first != cues_.begin() && at - std::prev(first)->start < longest_)
        --first;
    std::string markup;
    for (auto it = first; it != past; ++it) {
        if (at < it->end)
            markup += (markup.empty() ? "" : "\n") + it->markup;
    }
    return markup;
}

}  // namespace framelift
