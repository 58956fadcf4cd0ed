// Component: the placement of a window: its rectangle, its size limits, its
// parent, and the listeners that hear about moves, resizes and re-parenting.
// setRect(Rect) is the one place where geometry changes.
#pragma once

#include "core/List.h"
#include "core/Object.h"
#include "core/UsageCounter.h"
#include "gui/Listener.h"
#include "gui/Rect.h"

namespace Vell {

class Component : public Object, public UsageCounter {
public:
    Component(const Rect& rect, Component* parent);
    ~Component() noexcept(false) override;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    virtual void show(bool) {}
    virtual void hide() { show(false); }
    virtual bool isVisible() { return true; }
    virtual void enable(bool) {}
    virtual void disable() { enable(false); }
    virtual bool isEnabled() { return true; }
    virtual void update() = 0;
    virtual void repaint() = 0;
    virtual Component* getParent() const { return parent; }
    virtual void setParent(Component* newParent);
    virtual Rect getRect() const { return rect; }

    void setRect(const Point& corner1, const Point& corner2) { setRect(Rect(corner1, corner2)); }
    void setRect(int x, int y, int width, int height) { setRect(Rect(x, y, width, height)); }
    void setRect(const Point& origin, const Size& size) { setRect(Rect(origin, size)); }
    virtual void setRect(const Rect& newRect);

    void setPosition(int x, int y) { setRect(Rect(Point(x, y), rect.size)); }
    void setPosition(const Point& p) { setPosition(p.x, p.y); }
    void setSize(int width, int height) { setRect(Rect(rect.origin, Size(width, height))); }
    void setSize(const Size& s) { setSize(s.width, s.height); }
    void moveBy(int dx, int dy) { setPosition(rect.origin.x + dx, rect.origin.y + dy); }
    void moveBy(const Point& d) { moveBy(d.x, d.y); }
    virtual void bringToTop() = 0;
    virtual void sendToBack() = 0;

    Size getMinimumSize() const { return minimumSize; }
    void setMinimumSize(int width, int height) { setMinimumSize(Size(width, height)); }
    void setMinimumSize(const Size& s);
    Size getMaximumSize() const { return maximumSize; }
    void setMaximumSize(int width, int height) { setMaximumSize(Size(width, height)); }
    void setMaximumSize(const Size& s);
    void setFixedSize(int width, int height) { setFixedSize(Size(width, height)); }
    void setFixedSize(const Size& s);
    virtual Size getSize() = 0;

    List<Listener*> moveListeners;
    List<Listener*> resizeListeners;
    List<Listener*> parentListeners;

protected:
    static void notifyAll(List<Listener*>& listeners);

    Component* parent;
    Rect rect;
    Size minimumSize{0, 0};
    Size maximumSize{5000, 5000};
};

} // namespace Vell
