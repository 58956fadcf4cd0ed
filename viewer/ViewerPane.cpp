#include "viewer/ViewerPane.h"

#include <GL/gl.h>

#include "core/Console.h"
#include "gui/Window.h"
#include "gui/platform/Platform.h"
#include "world/PlayerNode.h"
#include "world/World.h"

namespace Vell3D {

namespace {

// Under the overlay's last line, which is row 8 in the 3D view.
constexpr int noticeRowBelow = 10;

} // namespace

void ViewerPane::paintContents(Vell::DC& dc)
{
    GLWidget::paintContents(dc);
    glFlush();
    if (showsOverlay)
        StatusOverlay::draw(dc, overlayLines());
    if (panelShown)
        paintPanel(dc);
}

void ViewerPane::showPanel(bool shown)
{
    panelShown = shown;
    panelWritten.clear();
    repaint();
}

std::vector<std::string> ViewerPane::panelLines()
{
    return panelShown ? InfoPanel::lines(records, pointedAt()) : std::vector<std::string>();
}

void ViewerPane::paintPanel(Vell::DC& dc)
{
    const PanelSubject subject = pointedAt();
    std::vector<std::string> lines = InfoPanel::lines(records, subject);
    drawPanelMarks(dc, subject);
    InfoPanel::draw(dc, lines, clientRect().size);
    if (lines == panelWritten)
        return;
    for (const std::string& line : lines)
        Vell::console() << line.c_str() << "\n";
    panelWritten = std::move(lines);
}

std::vector<StatusLine> ViewerPane::overlayLines() const
{
    std::vector<StatusLine> lines;
    if (!noticeReplaces)
        lines = statusLines();
    int row = noticeReplaces ? 1 : noticeRowBelow;
    for (const std::string& text : notice)
        lines.push_back({1, row++, text});
    return lines;
}

void ViewerPane::onKeyDown(int key, std::int64_t)
{
    if (key == Vell::Platform::VK_ESCAPE)
        closeWindow();
    else if (shell && shell->shellKey(key))
        return;
    else if (key == 'I')
        showPanel(!panelShown);
    else if (handleKey(key))
        repaint();
}

void ViewerPane::closeWindow()
{
    if (auto* window = dynamic_cast<Vell::Window*>(getParent()))
        window->close(false);
}

namespace {

// The floor under the player, when he stands in a sector of his world.
bool floorUnder(const PlayerNode& player, double& floor)
{
    if (!player.world || player.sector < 0 || std::size_t(player.sector) >= player.world->sectors.size())
        return false;
    const Vector3 p = player.position();
    floor = player.world->sectors[std::size_t(player.sector)].floorZAt(p.x, p.y);
    return true;
}

} // namespace

// The player keeps this view's own height above the floor: the plan's
// player stands on it, the 3D view's eye stays as high above it as it was
// (from the map's start, or after Q and Z).
void ViewerPane::placeLike(const PlayerNode& other)
{
    PlayerNode& mine = player();
    double floor = 0.0;
    const double height = floorUnder(mine, floor) ? mine.position().z - floor : 0.0;
    mine.takePlacement(other);
    if (floorUnder(mine, floor))
        mine.translateGlobal(0.0, 0.0, floor + height - mine.position().z);
    placed();
    repaint();
}

void ViewerPane::setShown(bool shown)
{
    show(shown);
    if (shown) {
        focus();
        repaint();
    }
}

Vell::Picture ViewerPane::takePicture()
{
    Vell::Picture picture;
    // Drawn into the back buffer where a paint would draw it, and read back
    // before anything is presented.
    const Vell::Platform::Box area = Vell::Platform::glViewportFor(handle());
    if (!makeCurrent() || area.width <= 0 || area.height <= 0)
        return picture;
    glViewport(area.x, area.y, area.width, area.height);
    render();
    glFinish();
    picture.width = area.width;
    picture.height = area.height;
    std::vector<unsigned char> rgba(std::size_t(picture.width) * picture.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(area.x, area.y, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // GL's rows run bottom up, a picture's top down.
    picture.pixels.resize(std::size_t(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const unsigned char* p = &rgba[(std::size_t(picture.height - 1 - y) * picture.width + x) * 4];
            picture.pixels[std::size_t(y) * picture.width + x] =
                0xFF000000u | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
        }
    return picture;
}

void ViewerPane::showNotice(std::vector<std::string> lines, bool inPlaceOfOverlay, std::uint64_t milliseconds)
{
    notice = std::move(lines);
    noticeReplaces = inPlaceOfOverlay;
    noticeUntil = Vell::Platform::ticks() + milliseconds;
    repaint();
}

bool ViewerPane::expireNotice(std::uint64_t now)
{
    if (notice.empty() || now < noticeUntil)
        return false;
    notice.clear();
    noticeReplaces = false;
    repaint();
    return true;
}

} // namespace Vell3D
