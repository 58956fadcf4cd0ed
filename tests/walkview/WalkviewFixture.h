// Scenes for the walkview tests: a scratch folder with the demo archive, and
// a main window with a WalkView showing a world built from any map, driven by
// posted messages as the message loop would deliver them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mapdata/GroupArchive.h"
#include "mapdata/TileSet.h"
#include "tests/support/Picture.h"
#include "tests/support/ScratchFolder.h"
#include "tools/authoring/ByteBuffer.h"
#include "tools/authoring/MapContent.h"
#include "viewer/ViewerWindow.h"
#include "walkview/WalkView.h"
#include "world/World.h"

namespace WalkviewFixture {

using namespace Vell3D;

using TestSupport::Picture;

// The demo archive ("palette.dat", the art files, E3L1.MAP, DEMO.MAP).
VellTools::Bytes demoArchiveBytes();

// The view of a world built from the map, with the demo tiles.
class ViewScene {
public:
    explicit ViewScene(const VellTools::MapContent& map);
    // A view over the given renderers (test doubles that count calls).
    ViewScene(const VellTools::MapContent& map, std::unique_ptr<Vell3D::Renderer> sectorRenderer,
              std::unique_ptr<Vell3D::Renderer> wireRenderer);
    ~ViewScene();

    // Posts a key-down to the view and dispatches everything pending.
    void key(int virtualKey);
    // Moves the cursor by (dx, dy) from the centre, as a mouse would.
    void mouse(int dx, int dy);
    // Dispatches every pending message; returns how many there were.
    int pump();
    // Whether a repaint is pending for the view, without painting it.
    bool repaintPending() const;
    // Paints what is pending and returns the last presented frame.
    Picture picture();

    TestSupport::ScratchFolder scratch{"walkview"};
    GroupArchive archive;
    TileSet tiles;
    World world;
    std::unique_ptr<Vell3D::ViewerWindow> main;
    std::unique_ptr<Vell3D::WalkView> view;   // goes before its parent

private:
    // Null renderers: the view's own.
    void open(const VellTools::MapContent& map, std::unique_ptr<Vell3D::Renderer> sectorRenderer,
              std::unique_ptr<Vell3D::Renderer> wireRenderer);
};

} // namespace WalkviewFixture
