// ViewerPane: what the two views share as the OpenGL child of the viewer
// window: each paint draws the picture, then the status overlay over it
// (unless a picture without it is wanted, as mapshot may ask), and Esc
// closes the window, which ends the program. The window's shell (Tab,
// PageDown, PageUp, F12) sees every other key before the view does; it
// moves the player between the views, gives each view the world it needs,
// and puts short notices in the overlay. I turns the info panel on and off:
// what the view points at, with the map's own numbers (viewer/InfoPanel.h),
// drawn over the picture like the overlay and written to standard output
// whenever it changes, so it can be copied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/GLWidget.h"
#include "gui/PngFile.h"
#include "viewer/InfoPanel.h"
#include "viewer/StatusOverlay.h"

namespace Vell3D {

class Map;
class PlayerNode;
class TileSet;
class World;

// Keys that belong to the window rather than to the view shown in it.
class ShellKeys {
public:
    virtual ~ShellKeys() noexcept(false) = default;
    // Whether the shell took the key.
    virtual bool shellKey(int key) = 0;
};

class ViewerPane : public Vell::GLWidget {
public:
    ViewerPane(const Vell::Rect& rect, Vell::Window* parent) : GLWidget(rect, parent) {}

    // The GL paint step, then the overlay (or the notice) on the same DC.
    void paintContents(Vell::DC& dc) override;
    // The overlay's text, line by line.
    virtual std::vector<StatusLine> statusLines() const = 0;
    // Builds the world this view shows from the map (the 3D view: all of it
    // with its textures; the plan: the reduced world with its pieces).
    virtual void buildWorld(World& world, const Map& map, TileSet& tiles) const = 0;
    // Shows the world from its start; the world is not owned. Null lets go
    // of the last one, with whatever the view made for it.
    virtual void setWorld(World* world) = 0;
    // The node that carries the player's place, heading and sector.
    virtual PlayerNode& player() = 0;
    // Stands the player where the other view's player stands, with his
    // heading and sector, as high above the floor as this view's player
    // stood before.
    void placeLike(const PlayerNode& other);
    // Shown in or hidden from the window (the 3D view holds the mouse only
    // while it is shown).
    virtual void setShown(bool shown);

    // Esc closes the window; the shell's keys go to the shell; I turns the
    // panel on and off; any other key goes to the view's handleKey, which
    // says whether to repaint.
    void onKeyDown(int key, std::int64_t flags) override;

    // What the view shows, without the overlay, drawn now.
    Vell::Picture takePicture();

    // What the overlay shows now: the view's lines and the notice below
    // them, or the notice alone.
    std::vector<StatusLine> overlayLines() const;
    // Lines shown for a while from now on: in place of the overlay, or
    // below it.
    void showNotice(std::vector<std::string> lines, bool inPlaceOfOverlay, std::uint64_t milliseconds);
    // Drops a notice whose time is up; true when one was dropped (and a
    // repaint asked for).
    bool expireNotice(std::uint64_t now);

    // The info panel (I).
    void showPanel(bool shown);
    bool showsPanel() const { return panelShown; }
    // What the panel says now; empty while it is off.
    std::vector<std::string> panelLines();

    bool showsOverlay = true;
    ShellKeys* shell = nullptr;   // not owned
    // The records of the map shown, for the panel; not owned (the shell
    // keeps the map). Null: the panel says they are not at hand.
    const Map* records = nullptr;

protected:
    // Whether the key changed the view so that it must be drawn again.
    virtual bool handleKey(int key) = 0;
    // After placeLike moved the player: what the view works out from his
    // place.
    virtual void placed() {}
    // What the view points at, for the panel.
    virtual PanelSubject pointedAt() { return PanelSubject(); }
    // Marks over the picture for what the panel names, drawn before it.
    virtual void drawPanelMarks(Vell::DC&, const PanelSubject&) {}

private:
    // Asks the window the view sits in to close.
    void closeWindow();

    // The panel over the picture, and on standard output when it changed.
    void paintPanel(Vell::DC& dc);

    bool panelShown = false;
    std::vector<std::string> panelWritten;   // the panel text last written out
    std::vector<std::string> notice;
    bool noticeReplaces = false;
    std::uint64_t noticeUntil = 0;
};

} // namespace Vell3D
