#include "gui/TextLayout.h"

namespace Vell {

std::string TextLayout::stripPrefixes(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Greedy: as many words as fit; a word wider than the line stands alone.
void TextLayout::wrap(const std::string& line, int width, const std::function<int(const std::string&)>& measure,
                      std::vector<std::string>& out)
{
    std::string current;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t end = line.find(' ', i);
        if (end == std::string::npos)
            end = line.size();
        std::string word = line.substr(i, end - i);
        std::string candidate = current.empty() ? word : current + " " + word;
        if (!current.empty() && measure(candidate) > width) {
            out.push_back(current);
            current = word;
        } else {
            current = candidate;
        }
        i = end + 1;
    }
    out.push_back(current);
}

std::vector<std::string> TextLayout::lines(const std::string& text, int format, int width,
                                           const std::function<int(const std::string&)>& measure)
{
    std::string s = (format & noPrefix) ? text : stripPrefixes(text);
    std::vector<std::string> result;
    if (format & singleLine) {
        for (char& c : s)
            if (c == '\r' || c == '\n')
                c = ' ';
        result.push_back(s);
        return result;
    }
    std::size_t start = 0;
    while (true) {
        std::size_t end = s.find('\n', start);
        std::string line = s.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (format & wordBreak)
            wrap(line, width, measure, result);
        else
            result.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return result;
}

} // namespace Vell
