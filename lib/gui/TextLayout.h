// TextLayout: breaks a text into the lines that drawing it in a rectangle
// shows: '&' prefixes removed ("&&" stays one '&'), line ends honoured
// unless the text is one line, and words wrapped to the width when asked.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Vell {

class TextLayout {
public:
    enum Flags { wordBreak = 0x10, singleLine = 0x20, noPrefix = 0x800 };

    // measure gives the width of a piece of text in pixels.
    static std::vector<std::string> lines(const std::string& text, int format, int width,
                                          const std::function<int(const std::string&)>& measure);

private:
    static std::string stripPrefixes(const std::string& text);
    static void wrap(const std::string& line, int width, const std::function<int(const std::string&)>& measure,
                     std::vector<std::string>& out);
};

} // namespace Vell
