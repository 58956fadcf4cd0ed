#include "gui/Widget.h"

#include "gui/DC.h"

namespace Vell {

Widget::Widget(const Rect& placement, Window* parentWindow)
    : Window("", widgetStyle, placement.left(), placement.top(), placement.width(), placement.height(), parentWindow),
      parentHandle(parentWindow ? parentWindow->handle() : Platform::noWindow), font(Font::defaultFont())
{
    UiElement::registerElement(&uiElement);
    if (parentWindow)
        parentWindow->onChildAdded(this);
}

Widget::~Widget() noexcept(false)
{
    if (Window* p = liveParent())
        p->onChildRemoved(this);
    UiElement::unregisterElement(&uiElement);
}

void Widget::setParent(Component* newParent)
{
    if (Window* old = liveParent())
        old->onChildRemoved(this);
    Window::setParent(newParent);
    Window* now = dynamic_cast<Window*>(newParent);
    parentHandle = now ? now->handle() : Platform::noWindow;
    if (now)
        now->onChildAdded(this);
}

void Widget::paintContents(DC& dc)
{
    Rect client = clientRect();
    dc.fillRect(client, background);
    dc.drawEdge(client, edgeStyle);
}

void Widget::setText(const String& value) { change(text, value); }

void Widget::setFont(const Font& value) { change(font, value); }

void Widget::setUserValue(int value) { change(userValue, value); }

void Widget::setEdgeStyle(int value) { change(edgeStyle, value); }

void Widget::setForeground(const Color& value) { change(foreground, value); }

void Widget::setBackground(const Color& value) { change(background, value); }

} // namespace Vell
