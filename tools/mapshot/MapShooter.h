// MapShooter: makes mapshot's pictures with the viewers' own views. It holds
// one hidden-frame top-level window whose client area is the picture size,
// with either walkview's WalkView (sector or wire renderer) or planview's
// PlanView inside, and draws each map through it exactly as the viewer opens
// it: the view builds its own world, shows it from the start and is then
// moved to the placement the options ask for. The frame is read back after
// it is presented, overlay included.
#pragma once

#include <memory>
#include <string>

#include "gui/PngFile.h"
#include "tools/mapshot/ShotOptions.h"

namespace Vell {
class Window;
}

namespace Vell3D {
class GroupArchive;
class TileSet;
}

namespace VellTools {

struct MapCounts {
    int sectors = 0;
    int walls = 0;
    int sprites = 0;
};

class MapShooter {
public:
    // Opens the window; needs the offscreen (or any) video driver.
    explicit MapShooter(const ShotOptions& options);
    ~MapShooter();
    MapShooter(const MapShooter&) = delete;
    MapShooter& operator=(const MapShooter&) = delete;

    // Loads the map by the viewers' rule, builds the view's world, draws it
    // and returns the presented frame. The map's failures pass through.
    Vell::Picture shoot(Vell3D::GroupArchive& archive, Vell3D::TileSet& tiles, const std::string& mapName,
                  MapCounts& counts);

private:
    class Stage;
    std::unique_ptr<Stage> stage;
};

} // namespace VellTools
