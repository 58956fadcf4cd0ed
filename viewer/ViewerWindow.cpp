#include "viewer/ViewerWindow.h"

#include "gui/platform/Platform.h"

namespace Vell3D {

ViewerWindow::ViewerWindow(const Vell::String& title, int clientWidth, int clientHeight)
    : Window(title, style, useDefault, useDefault, useDefault, useDefault, nullptr)
{
    using namespace Vell::Platform;
    const int outerWidth = clientWidth + frameLeft + frameRight;
    const int outerHeight = clientHeight + frameTop + frameBottom;
    setMinimumSize(outerWidth, outerHeight);
    setMaximumSize(outerWidth, outerHeight);
    setSize(outerWidth, outerHeight);
}

void ViewerWindow::onActivate()
{
    if (view)
        view->focus();
}

} // namespace Vell3D
