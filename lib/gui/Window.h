// Window: a window of the window system as an object. The window's messages
// reach the object's virtual handlers through the library's window
// procedure; painting goes through the paint delegate with a DC on the
// window's canvas.
#pragma once

#include "core/List.h"
#include "core/String.h"
#include "gui/Component.h"
#include "gui/PaintDelegate.h"
#include "gui/platform/Messages.h"

#include <cstdint>

namespace Vell {

class DC;

class Window : public Component {
public:
    static constexpr std::uint32_t styleChild = 0x40000000;
    static constexpr std::uint32_t styleVisible = 0x10000000;
    static constexpr int useDefault = INT32_MIN;

    Window(const String& title, std::uint32_t style, int x, int y, int width, int height, Window* parentWindow);
    ~Window() noexcept(false) override;

    const char* className() const override { return "Window"; }

    void show(bool visible = true) override;
    bool isVisible() override;
    void enable(bool on = true) override;
    bool isEnabled() override;
    void update() override;
    void repaint() override;
    virtual void repaint(const Rect& area);
    void setParent(Component* newParent) override;
    using Component::setRect;
    void setRect(const Rect& newRect) override;
    void bringToTop() override;
    void sendToBack() override;
    Size getSize() override;
    virtual void setTopMost(bool on);
    virtual void activate();
    virtual void setTitle(const String& title);
    virtual String getTitle();
    virtual Rect clientRect();
    virtual Rect windowRect();
    virtual void capture();
    virtual void releaseCapture();
    // now: destroy at once; otherwise ask the window to close (WM_CLOSE).
    virtual void close(bool now);
    virtual void setDoubleBuffered(bool on);
    bool isDoubleBuffered() const { return doubleBuffered; }
    virtual void focus();
    virtual void dropFocus();
    Point screenToClient(const Point& p);
    Rect screenToClient(const Rect& r);
    Point clientToScreen(const Point& p);
    Rect clientToScreen(const Rect& r);
    Point toClientOf(Window* other, const Point& p);
    Point fromClientOf(Window* other, const Point& p);
    Point toParent(const Point& p);
    Point fromParent(const Point& p);
    Platform::Handle handle() const { return windowHandle; }

    // Handlers, called from the messages that name them.
    virtual void onPaint();
    virtual void onClose();
    virtual void onDestroy() {}
    virtual void onLeftButtonDown(const Point&, int) {}
    virtual void onLeftButtonUp(const Point&, int) {}
    virtual void onRightButtonDown(const Point&, int) {}
    virtual void onRightButtonUp(const Point&, int) {}
    virtual void onLeftDoubleClick(const Point&, int) {}
    virtual void onMouseMove(const Point&, int) {}
    virtual void onKeyDown(int, std::int64_t) {}
    virtual void onKeyUp(int, std::int64_t) {}
    virtual void onChar(int, int) {}
    virtual void onSetFocus(Window*) {}
    virtual void onKillFocus() {}
    virtual void onChildAdded(Window*) {}
    virtual void onChildRemoved(Window*) {}
    virtual void onMove(const Point&) {}
    virtual void onSize(const Size&) {}
    virtual void onActivate() {}
    virtual void onDeactivate() {}
    virtual void onMouseEnter() {}
    virtual void onMouseLeave() {}

    // Maps one message to its handler; false for messages without one.
    bool dispatch(const Platform::Message& message);

    void setPaintDelegate(PaintDelegate* delegate) { paintDelegate = delegate; }
    PaintDelegate* getPaintDelegate() const { return paintDelegate; }
    // What the default paint delegate draws: the client area in face grey.
    virtual void paintContents(DC& dc);

    static bool isClassRegistered();
    static Window* fromHandle(Platform::Handle handle);

    List<Listener*> closeListeners;

protected:
    bool mouseInside = false;

private:
    // The default delegate: the window's own paintContents.
    class ContentsPainter : public PaintDelegate {
    public:
        explicit ContentsPainter(Window& window) : window(window) {}
        void paint(DC& dc) override { window.paintContents(dc); }
    private:
        Window& window;
    };

    void paintDoubleBuffered(DC& paintDC);

    ContentsPainter contentsPainter{*this};
    PaintDelegate* paintDelegate = &contentsPainter;
    Platform::Handle windowHandle = Platform::noWindow;
    bool doubleBuffered = false;
};

} // namespace Vell
