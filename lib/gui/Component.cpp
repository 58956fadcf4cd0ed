#include "gui/Component.h"

#include <algorithm>

namespace Vell {

Component::Component(const Rect& rect, Component* parent) : parent(parent), rect(rect) {}

Component::~Component() noexcept(false)
{
    moveListeners.clear();
    resizeListeners.clear();
    parentListeners.clear();
    checkUnused();
}

void Component::notifyAll(List<Listener*>& listeners)
{
    // Walk with node handles: a listener may use the list's cursor.
    for (auto* node = listeners.headNode(); node;)
        listeners.nextNode(node)->notify();
}

void Component::setParent(Component* newParent)
{
    parent = newParent;
    notifyAll(parentListeners);
}

void Component::setRect(const Rect& newRect)
{
    // The minimum applies at once; the maximum only limits interactive
    // resizing, so a program may still set a larger size.
    Rect r = newRect;
    r.size.width = std::max(r.size.width, minimumSize.width);
    r.size.height = std::max(r.size.height, minimumSize.height);
    bool moved = r.origin != rect.origin;
    bool resized = r.size != rect.size;
    rect = r;
    if (moved)
        notifyAll(moveListeners);
    if (resized)
        notifyAll(resizeListeners);
}

void Component::setMinimumSize(const Size& s)
{
    minimumSize = s;
    setRect(rect);
}

void Component::setMaximumSize(const Size& s)
{
    maximumSize = s;
    setRect(rect);
}

void Component::setFixedSize(const Size& s)
{
    minimumSize = s;
    maximumSize = s;
    setRect(Rect(rect.origin, s));
}

} // namespace Vell
