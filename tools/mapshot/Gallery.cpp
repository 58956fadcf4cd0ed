#include "tools/mapshot/Gallery.h"

#include "tools/HtmlText.h"

namespace VellTools {

namespace {

const char* style =
    "body{font-family:sans-serif;background:#202020;color:#e0e0e0;margin:1em}"
    ".cards{display:flex;flex-wrap:wrap;gap:1em}"
    ".card{background:#303030;padding:.5em;border-radius:4px;width:400px}"
    ".card img{width:400px;display:block}"
    ".name{font-weight:bold;margin-top:.3em}"
    ".error{color:#ff8080}";

std::string card(const GalleryCard& c)
{
    std::string html = "<div class=\"card\">\n";
    if (c.error.empty()) {
        const std::string picture = htmlEscape(c.picture);
        html += "<a href=\"" + picture + "\"><img src=\"" + picture + "\" alt=\"" + htmlEscape(c.name) + "\"></a>\n";
    }
    html += "<div class=\"name\">" + htmlEscape(c.name) + "</div>\n";
    if (c.error.empty())
        html += "<div>sectors " + std::to_string(c.sectors) + ", walls " + std::to_string(c.walls) + ", sprites " +
                std::to_string(c.sprites) + "</div>\n";
    else
        html += "<div class=\"error\">" + htmlEscape(c.error) + "</div>\n";
    return html + "</div>\n";
}

} // namespace

std::string galleryPage(const std::string& title, const std::vector<GalleryCard>& cards)
{
    std::string html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + htmlEscape(title) +
                       "</title>\n<style>" + style + "</style></head>\n<body>\n<h1>" + htmlEscape(title) +
                       "</h1>\n<div class=\"cards\">\n";
    for (const GalleryCard& c : cards)
        html += card(c);
    return html + "</div>\n</body></html>\n";
}

} // namespace VellTools
