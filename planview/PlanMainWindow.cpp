#include "planview/PlanMainWindow.h"

namespace Vell3D {

namespace {

// Overlapped with caption, system menu, sizing border, minimise and
// maximise boxes, clipping its children.
constexpr std::uint32_t mainStyle = 0x02CF0000;
constexpr int outerWidth = 810;
constexpr int outerHeight = 630;

} // namespace

PlanMainWindow::PlanMainWindow()
    : Window(title, mainStyle, useDefault, useDefault, useDefault, useDefault, nullptr)
{
    setMinimumSize(outerWidth, outerHeight);
    setMaximumSize(outerWidth, outerHeight);
    setSize(outerWidth, outerHeight);
}

void PlanMainWindow::onActivate()
{
    if (view)
        view->focus();
}

} // namespace Vell3D
