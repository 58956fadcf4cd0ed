// The text half of Canvas: faces through fontconfig, glyphs through cairo's
// FreeType backend, always without antialiasing.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include "gui/platform/CanvasImpl.h"

namespace Vell::Platform {

namespace {

bool validUtf8(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = s[i];
        int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size() + (n == 0 ? 1 : 0))
            return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n + 1;
    }
    return true;
}

// The library's strings are bytes; text that is not UTF-8 is taken as
// Latin-1, so no input can put cairo into its error state.
std::string toUtf8(const std::string& in)
{
    std::string s = in.substr(0, in.find('\0'));
    if (validUtf8(s))
        return s;
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | c >> 6);
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

FcPattern* facePattern(const char* family, int weight, bool italic)
{
    FcPattern* p = FcPatternCreate();
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family[0] ? family : "sans-serif"));
    FcPatternAddInteger(p, FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight ? weight : 400, 1, 1000)));
    FcPatternAddInteger(p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return p;
}

// Font faces are few and live as long as the process; matching through
// fontconfig for every text call would be slow.
cairo_font_face_t* fontFace(const FontStyle& f)
{
    static std::map<std::string, cairo_font_face_t*> cache;
    std::string key = std::string(f.faceName, strnlen(f.faceName, sizeof f.faceName)) + "|" +
                      std::to_string(f.weight) + "|" + (f.italic ? "i" : "r");
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    std::string family(f.faceName, strnlen(f.faceName, sizeof f.faceName));
    FcPattern* pattern = facePattern(family.c_str(), f.weight, f.italic);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    cairo_font_face_t* face = nullptr;
    if (match) {
        face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    }
    if (!face || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS)
        face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cache[key] = face;
    return face;
}

} // namespace

bool Canvas::resolveFace(const char* face, std::string& family)
{
    FcPattern* pattern = facePattern(face ? face : "", 400, false);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* name = nullptr;
    bool found = FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name;
    if (found)
        family = reinterpret_cast<const char*>(name);
    FcPatternDestroy(match);
    return found;
}

// Text ----------------------------------------------------------------------

// Heights follow the logical font: negative is the character height,
// positive the whole cell, which is measured and scaled to fit.
void applyFont(cairo_t* cr, const FontStyle& f, double scale)
{
    cairo_set_font_face(cr, fontFace(f));
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    double size = f.height < 0 ? -double(f.height) : f.height > 0 ? f.height : 12.0;
    size = std::clamp(size * std::fabs(scale), 1.0, 4096.0);
    if (f.height > 0) {
        cairo_set_font_size(cr, size);
        cairo_font_extents_t e;
        cairo_font_extents(cr, &e);
        if (e.ascent + e.descent > 0)
            size = std::max(1.0, size * size / (e.ascent + e.descent));
    }
    cairo_matrix_t m;
    // A logical width asks for an average character width; about half the
    // size is the average of a sans face.
    double widthScale = f.width > 0 ? std::clamp(f.width * 2.0 / size, 0.1, 10.0) : 1.0;
    cairo_matrix_init_scale(&m, std::round(size) * widthScale, std::round(size));
    cairo_set_font_matrix(cr, &m);
}

namespace {

FontMetrics metricsOf(cairo_t* cr)
{
    cairo_font_extents_t e;
    cairo_font_extents(cr, &e);
    FontMetrics m;
    m.ascent = int(std::ceil(e.ascent));
    m.descent = int(std::ceil(e.descent));
    m.height = m.ascent + m.descent;
    return m;
}

double advanceOf(cairo_t* cr, const std::string& utf8)
{
    if (utf8.empty())
        return 0;
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    return std::round(e.x_advance);
}

} // namespace

void Canvas::textOut(int x, int y, const std::string& s)
{
    std::string utf8 = toUtf8(s);
    IntPoint ref = (st.textAlign & updateCP) ? st.position : IntPoint{x, y};
    IntPoint p = toDevice(ref.x, ref.y);
    beginDraw();
    cairo_t* cr = impl->cr;
    applyFont(cr, st.font, scaleY());
    FontMetrics m = metricsOf(cr);
    double width = advanceOf(cr, utf8);
    double x0 = (st.textAlign & center) == center ? -std::floor(width / 2)
              : (st.textAlign & right)            ? -width
                                                  : 0;
    double base = (st.textAlign & baseline) == baseline ? 0 : (st.textAlign & bottom) ? -m.descent : m.ascent;
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, -st.font.escapement * M_PI / 1800.0);
    if (st.bkMode == opaque && width > 0) {
        cairo_rectangle(cr, x0, base - m.ascent, width, m.height);
        fillPath(st.bkColor, false);
    }
    setSource(cr, st.textColor);
    cairo_move_to(cr, x0, base);
    cairo_show_text(cr, utf8.c_str());
    cairo_new_path(cr);
    if (st.font.underline)
        cairo_rectangle(cr, x0, base + std::max(1, m.descent / 2), width, std::max(1, m.height / 16));
    if (st.font.strikeOut)
        cairo_rectangle(cr, x0, base - std::max(1, m.ascent * 3 / 10), width, std::max(1, m.height / 16));
    fillPath(st.textColor, false);
    endDraw();
    if ((st.textAlign & updateCP) && !(st.textAlign & right))
        st.position.x += int(std::lround(width / scaleX()));
}

IntPoint Canvas::textExtent(const std::string& s)
{
    std::string utf8 = toUtf8(s);
    beginDraw();
    applyFont(impl->cr, st.font, scaleY());
    FontMetrics m = metricsOf(impl->cr);
    double width = advanceOf(impl->cr, utf8);
    cairo_restore(impl->cr);
    return {int(std::lround(width / std::fabs(scaleX()))), int(std::lround(m.height / std::fabs(scaleY())))};
}

FontMetrics Canvas::fontMetrics()
{
    beginDraw();
    applyFont(impl->cr, st.font, scaleY());
    FontMetrics m = metricsOf(impl->cr);
    cairo_restore(impl->cr);
    return m;
}

} // namespace Vell::Platform
