// htmlEscape: a text as it goes into HTML, in an element or an attribute
// (mapshot's gallery, mapexport's pages and their index).
#pragma once

#include <string>

namespace VellTools {

std::string htmlEscape(const std::string& text);

} // namespace VellTools
