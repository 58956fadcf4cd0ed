// UiElement: the command side of a widget: an identifier that fires a
// command notification, and a state. Every live element is in a
// process-wide registry.
#pragma once

#include "core/List.h"

namespace Vell {

class Window;

class UiElement {
public:
    explicit UiElement(Window* owner = nullptr);
    virtual ~UiElement();
    UiElement(const UiElement&) = delete;
    UiElement& operator=(const UiElement&) = delete;

    // Sends the command notification with the identifier.
    virtual void fire();
    virtual void setIdentifier(int id) { identifier = id; }
    virtual int getIdentifier() const { return identifier; }
    // Repaints the owning widget.
    virtual void setState(int newState);
    virtual int getState() const { return state; }

    // Adds the element unless it is present already.
    static void registerElement(UiElement* element);
    // Throws InternalException "ui element not registered" when absent.
    static void unregisterElement(UiElement* element);
    static bool isRegistered(const UiElement* element);
    static List<UiElement*>& registry();

private:
    Window* owner;
    int identifier = -1;
    int state = 0;
};

} // namespace Vell
