#include "gui/Window.h"

#include "gui/DC.h"
#include "gui/platform/Platform.h"

namespace Vell {

using namespace Platform;

namespace {

bool classRegistered = false;

std::int64_t windowProcedure(const Message& message)
{
    // Messages sent while the window is being made find no object yet and
    // take the system's default path.
    Window* window = Window::fromHandle(message.window);
    if (window && window->dispatch(message))
        return 0;
    return defaultWindowProcedure(message);
}

void registerClass()
{
    // One procedure for every window: the class is registered once, by the
    // first window made.
    setWindowProcedure(windowProcedure);
    classRegistered = true;
}

Box toBox(const Rect& r) { return {r.origin.x, r.origin.y, r.size.width, r.size.height}; }
Rect toRect(const Box& b) { return Rect(b.x, b.y, b.width, b.height); }

Point signedPoint(std::int64_t lParam)
{
    return Point(static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF));
}

Point unsignedPoint(std::int64_t lParam)
{
    return Point(static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
}

} // namespace

Window::Window(const String& title, std::uint32_t style, int x, int y, int width, int height,
               Window* parentWindow)
    : Component(Rect(x, y, width, height), parentWindow)
{
    if (!classRegistered)
        registerClass();
    bool child = parentWindow && (style & styleChild);
    windowHandle = createWindow(title.text(), toBox(rect), child ? parentWindow->handle() : noWindow);
    if (windowHandle == noWindow)
        throw WindowException();
    setUserData(windowHandle, this);
    // The system window starts with the component's limits (no minimum,
    // 5000 x 5000 at most), not with limits of its own.
    setSizeLimits(windowHandle, minimumSize.width, minimumSize.height, maximumSize.width, maximumSize.height);
    // Positions and sizes left to the system are read back, so that a later
    // setSize keeps a real origin.
    if (x == useDefault || y == useDefault || width == useDefault || height == useDefault) {
        Box placed = child ? Box{} : Platform::windowRect(windowHandle);
        if (child) {
            Box client = Platform::clientRect(windowHandle);
            placed = {0, 0, client.width, client.height};
        }
        rect = toRect(placed);
    }
    if (child && !(style & styleVisible))
        showWindow(windowHandle, false);
    else if (!child && (style & styleVisible))
        showWindow(windowHandle, true);
}

Window::~Window() noexcept(false)
{
    destroyWindow(windowHandle);
    closeListeners.clear();
}

bool Window::isClassRegistered() { return classRegistered; }

Window* Window::fromHandle(Handle handle) { return static_cast<Window*>(userData(handle)); }

void Window::show(bool visible) { showWindow(windowHandle, visible); }
bool Window::isVisible() { return isWindowVisible(windowHandle); }

void Window::enable(bool on)
{
    enableWindow(windowHandle, on);
    repaint();
}

bool Window::isEnabled() { return isWindowEnabled(windowHandle); }
void Window::update() { updateWindow(windowHandle); }
void Window::repaint() { invalidate(windowHandle, nullptr); }

void Window::repaint(const Rect& area)
{
    Box box = toBox(area.normalized());
    invalidate(windowHandle, &box);
}

void Window::setParent(Component* newParent)
{
    Window* window = dynamic_cast<Window*>(newParent);
    if (!Platform::setParent(windowHandle, window ? window->handle() : noWindow))
        throw WindowException();
    Component::setParent(newParent);
}

void Window::setRect(const Rect& newRect)
{
    Component::setRect(newRect);
    setSizeLimits(windowHandle, minimumSize.width, minimumSize.height, maximumSize.width, maximumSize.height);
    moveWindow(windowHandle, toBox(rect), true);
}

void Window::bringToTop() { Platform::bringToTop(windowHandle); }
void Window::sendToBack() { Platform::sendToBack(windowHandle); }
Size Window::getSize() { return windowRect().size; }
void Window::setTopMost(bool on) { Platform::setTopMost(windowHandle, on); }
void Window::activate() { setActiveWindow(windowHandle); }

void Window::setTitle(const String& title)
{
    // Titles are kept to 255 characters, as the system's buffer holds.
    std::string text = title.text();
    Platform::setTitle(windowHandle, text.substr(0, 255).c_str());
}

String Window::getTitle() { return String(Platform::title(windowHandle).substr(0, 255).c_str()); }
Rect Window::clientRect() { return toRect(Platform::clientRect(windowHandle)); }
Rect Window::windowRect() { return toRect(Platform::windowRect(windowHandle)); }
void Window::capture() { setCapture(windowHandle); }
void Window::releaseCapture() { Platform::releaseCapture(); }

void Window::close(bool now)
{
    if (now)
        destroyWindow(windowHandle);
    else
        postMessage({windowHandle, WM_CLOSE, 0, 0});
}

void Window::setDoubleBuffered(bool on)
{
    doubleBuffered = on;
    repaint();
}

void Window::focus() { setFocus(windowHandle); }
void Window::dropFocus() { setFocus(noWindow); }

Point Window::screenToClient(const Point& p)
{
    int x = p.x, y = p.y;
    Platform::screenToClient(windowHandle, x, y);
    return Point(x, y);
}

Rect Window::screenToClient(const Rect& r) { return Rect(screenToClient(r.origin), r.size); }

Point Window::clientToScreen(const Point& p)
{
    int x = p.x, y = p.y;
    Platform::clientToScreen(windowHandle, x, y);
    return Point(x, y);
}

Rect Window::clientToScreen(const Rect& r) { return Rect(clientToScreen(r.origin), r.size); }

Point Window::toClientOf(Window* other, const Point& p)
{
    Point screen = clientToScreen(p);
    return other ? other->screenToClient(screen) : screen;
}

Point Window::fromClientOf(Window* other, const Point& p)
{
    return screenToClient(other ? other->clientToScreen(p) : p);
}

Point Window::toParent(const Point& p) { return toClientOf(dynamic_cast<Window*>(parent), p); }
Point Window::fromParent(const Point& p) { return fromClientOf(dynamic_cast<Window*>(parent), p); }

void Window::onClose()
{
    notifyAll(closeListeners);
    destroyWindow(windowHandle);
}

void Window::onPaint()
{
    Box area;
    Canvas* canvas = beginPaint(windowHandle, area);
    if (!canvas)
        return;
    Handle h = windowHandle;
    DC dc(canvas, [h] { endPaint(h); });
    if (doubleBuffered)
        paintDoubleBuffered(dc);
    else
        paintDelegate->paint(dc);
}

void Window::paintDoubleBuffered(DC& paintDC)
{
    // The picture is made off screen and copied in one transfer, so the
    // window never shows it half drawn.
    Rect area = paintDC.clipBox();
    if (area.isEmpty())
        return;
    DC memory(new Canvas(area.width(), area.height()), true);
    memory.setViewportOrigin(-area.origin);
    paintDelegate->paint(memory);
    memory.copyTo(paintDC, area.origin, area, DC::srcCopy);
}

void Window::paintContents(DC& dc) { dc.fillRect(clientRect(), Colors::faceGrey); }

bool Window::dispatch(const Message& m)
{
    int flags = static_cast<int>(m.wParam);
    switch (m.message) {
    case WM_PAINT: onPaint(); return true;
    case WM_CLOSE: onClose(); return true;
    case WM_DESTROY: onDestroy(); return true;
    case WM_LBUTTONDOWN: onLeftButtonDown(signedPoint(m.lParam), flags); return true;
    case WM_LBUTTONUP: onLeftButtonUp(signedPoint(m.lParam), flags); return true;
    case WM_RBUTTONDOWN: onRightButtonDown(signedPoint(m.lParam), flags); return true;
    case WM_RBUTTONUP: onRightButtonUp(signedPoint(m.lParam), flags); return true;
    case WM_LBUTTONDBLCLK: onLeftDoubleClick(signedPoint(m.lParam), flags); return true;
    case WM_MOUSEMOVE:
        if (!mouseInside) {
            mouseInside = true;
            onMouseEnter();
        }
        onMouseMove(signedPoint(m.lParam), flags);
        return true;
    case WM_MOUSELEAVE:
        mouseInside = false;
        onMouseLeave();
        return true;
    case WM_KEYDOWN: onKeyDown(static_cast<int>(m.wParam), m.lParam); return true;
    case WM_KEYUP: onKeyUp(static_cast<int>(m.wParam), m.lParam); return true;
    case WM_CHAR: onChar(static_cast<int>(m.wParam), static_cast<int>(m.lParam & 0xFFFF)); return true;
    case WM_SETFOCUS: onSetFocus(fromHandle(static_cast<Handle>(m.wParam))); return true;
    case WM_KILLFOCUS: onKillFocus(); return true;
    case WM_MOVE: onMove(unsignedPoint(m.lParam)); return true;
    case WM_SIZE: {
        Point p = unsignedPoint(m.lParam);
        onSize(Size(p.x, p.y));
        return true;
    }
    case WM_ACTIVATE:
        if (m.wParam & 0xFFFF)
            onActivate();
        else
            onDeactivate();
        return true;
    default:
        return false;
    }
}

} // namespace Vell
