#include "walkview/MainWindow.h"

namespace Vell3D {

MainWindow::MainWindow(const Vell::String& title)
    : Window(title, mainWindowStyle, useDefault, useDefault, useDefault, useDefault, nullptr)
{
    setMinimumSize(outerWidth, outerHeight);
    setMaximumSize(outerWidth, outerHeight);
    setSize(outerWidth, outerHeight);
}

MainWindow::~MainWindow() noexcept(false)
{
    while (!activateListeners.isEmpty())
        delete activateListeners.removeFirst();
}

void MainWindow::onActivate() { notifyAll(activateListeners); }

} // namespace Vell3D
