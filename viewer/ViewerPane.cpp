#include "viewer/ViewerPane.h"

#include <GL/gl.h>

#include "gui/Window.h"
#include "gui/platform/Platform.h"

namespace Vell3D {

void ViewerPane::paintContents(Vell::DC& dc)
{
    GLWidget::paintContents(dc);
    glFlush();
    if (showsOverlay)
        StatusOverlay::draw(dc, statusLines());
}

void ViewerPane::onKeyDown(int key, std::int64_t)
{
    if (key == Vell::Platform::VK_ESCAPE)
        closeWindow();
    else if (handleKey(key))
        repaint();
}

void ViewerPane::closeWindow()
{
    if (auto* window = dynamic_cast<Vell::Window*>(getParent()))
        window->close(false);
}

} // namespace Vell3D
