#include "tools/mapexport/LevelPage.h"

#include <filesystem>

#include <tiny_gltf.h>

#include "tools/HtmlText.h"
#include "tools/mapexport/PageScript.h"

// tinygltf's own encoder (it writes a .gltf's embedded buffers with it);
// the shared library exports it, its header declares it only for builds
// that compile the library in.
namespace tinygltf {
std::string base64_encode(unsigned char const* bytes, unsigned int length);
}

namespace VellTools {

namespace {

// The script goes into the page as it is; only an end tag inside it would
// close its element early, and in JavaScript "<\/" means "</".
std::string scriptText(const char* script)
{
    std::string text(script);
    for (std::size_t at = text.find("</"); at != std::string::npos; at = text.find("</", at + 3))
        text.replace(at, 2, "<\\/");
    return text;
}

const char* pageStyle =
    "html,body{margin:0;height:100%;overflow:hidden;background:#000}"
    "canvas{display:block;touch-action:none;cursor:grab}"
    "#info{position:fixed;left:0;right:0;bottom:0;padding:4px 8px;font:13px sans-serif;"
    "color:#eee;background:rgba(0,0,0,.55);pointer-events:none}";

} // namespace

std::string LevelPage::html(const std::vector<std::uint8_t>& glb, const std::string& mapName)
{
    const std::string name = htmlEscape(mapName);
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
                       "<title>" + name + "</title>\n<style>" + pageStyle + "</style>\n</head>\n<body>\n"
                       "<div id=\"info\">" + name +
                       ": drag the mouse to look around, W A S D walk, Q and Z raise and lower the eye, "
                       "R goes back to the start</div>\n"
                       "<script id=\"level\" type=\"application/octet-stream\">";
    page += tinygltf::base64_encode(glb.data(), unsigned(glb.size()));
    page += "</script>\n<script>\n";
    page += scriptText(pageScript());
    page += "\n</script>\n</body>\n</html>\n";
    return page;
}

std::string LevelPage::index(const std::string& folder, const std::string& archive, const std::vector<Entry>& entries)
{
    const std::string title = htmlEscape(std::filesystem::path(archive).filename().string());
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                       "</title>\n<style>body{font:14px sans-serif;margin:16px}li{margin:8px 0}"
                       "img{display:block;width:320px;margin-top:4px}</style>\n</head>\n<body>\n<h1>" +
                       title + "</h1>\n<ul>\n";
    for (const Entry& entry : entries) {
        const std::string name = htmlEscape(entry.mapName);
        if (!entry.error.empty()) {
            page += "<li>" + name + ": " + htmlEscape(entry.error) + "</li>\n";
            continue;
        }
        const std::string stem = std::filesystem::path(entry.page).stem().string();
        page += "<li><a href=\"" + htmlEscape(entry.page) + "\">" + name;
        if (std::filesystem::exists(std::filesystem::path(folder) / (stem + ".png")))
            page += "<img src=\"" + htmlEscape(stem) + ".png\" alt=\"" + name + "\">";
        page += "</a></li>\n";
    }
    page += "</ul>\n</body>\n</html>\n";
    return page;
}

} // namespace VellTools
