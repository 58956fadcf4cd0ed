#include "gui/UiElement.h"

#include "core/Exception.h"
#include "gui/GUIApplication.h"
#include "gui/Window.h"

namespace Vell {

UiElement::UiElement(Window* owner) : owner(owner) { registerElement(this); }

UiElement::~UiElement()
{
    if (isRegistered(this))
        unregisterElement(this);
}

void UiElement::fire() { notifyCommand(identifier); }

void UiElement::setState(int newState)
{
    state = newState;
    if (owner)
        owner->repaint();
}

List<UiElement*>& UiElement::registry()
{
    static List<UiElement*> elements;
    return elements;
}

bool UiElement::isRegistered(const UiElement* element)
{
    List<UiElement*>& list = registry();
    for (auto* node = list.headNode(); node;)
        if (list.nextNode(node) == element)
            return true;
    return false;
}

void UiElement::registerElement(UiElement* element)
{
    if (!isRegistered(element))
        registry().append(element);
}

void UiElement::unregisterElement(UiElement* element)
{
    List<UiElement*>& list = registry();
    for (auto* node = list.headNode(); node; node = node->next) {
        if (list.valueAt(node) == element) {
            list.remove(node);
            return;
        }
    }
    throw InternalException("ui element not registered");
}

} // namespace Vell
