// Widget: a child window inside a top-level window, with a registered UI
// element and the text, font, colours and edge that it paints with. Every
// setter repaints.
#pragma once

#include "core/String.h"
#include "gui/Color.h"
#include "gui/Font.h"
#include "gui/UiElement.h"
#include "gui/Window.h"

namespace Vell {

class Widget : public Window {
public:
    static constexpr std::uint32_t widgetStyle = 0x56000000;   // child, visible, clipping

    Widget(const Rect& placement, Window* parentWindow);
    ~Widget() noexcept(false) override;

    const char* className() const override { return "Widget"; }

    void setParent(Component* newParent) override;
    void paintContents(DC& dc) override;

    UiElement& getUiElement() { return uiElement; }
    void setText(const String& value);
    const String& getText() const { return text; }
    void setFont(const Font& value);
    const Font& getFont() const { return font; }
    void setUserValue(int value);
    int getUserValue() const { return userValue; }
    void setEdgeStyle(int value);
    int getEdgeStyle() const { return edgeStyle; }
    void setForeground(const Color& value);
    const Color& getForeground() const { return foreground; }
    void setBackground(const Color& value);
    const Color& getBackground() const { return background; }

private:
    // The parent found through its window: a parent object deleted first
    // has taken its window with it, so no dangling pointer is followed.
    Window* liveParent() const { return fromHandle(parentHandle); }
    // A setter's step: the new value shows at the next paint.
    template <class T>
    void change(T& field, const T& value)
    {
        field = value;
        repaint();
    }

    Platform::Handle parentHandle;
    UiElement uiElement{this};
    String text;
    Font font;
    int userValue = 0;
    int edgeStyle = 0;
    Color foreground{0, 0, 160};
    Color background{176, 176, 176};
};

} // namespace Vell
