// The level page as its reader meets it: headless Chromium opens the pages
// of demo.map, e3l1.map and large.map from the file system. Each loads with
// no console error and no request leaving the page, its start view agrees
// with mapshot's picture of the map (fog off, no overlay) over a grid of
// cells, W moves the view and R brings the start back. Pages of planted
// exports (texture coordinates flipped, the level mirrored, the start
// sector's floor missing, the camera turned) must fail the same comparison.
// Without a Chromium that starts, the suite fails and says why.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

#include "ReadBack.h"
#include "core/FileOutput.h"
#include "gui/PngFile.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/MapSource.h"
#include "mapdata/TileSet.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFolder.h"
#include "tools/mapexport/LevelExport.h"
#include "tools/mapexport/LevelPage.h"
#include "world/World.h"

namespace {

namespace fs = std::filesystem;
using Vell3D::World;

// Two renderers never agree pixel for pixel (filtering, rounding, edges),
// so pictures are compared as 16 x 12 cells of mean colour: a cell agrees
// when no channel's mean differs by more than cellTolerance, and pictures
// agree when at least agreeShare of the cells do.
constexpr int columns = 16, rows = 12;
constexpr double cellTolerance = 24.0;
constexpr double agreeShare = 0.9;

struct CellMeans {
    std::vector<std::array<double, 3>> cells;
};

CellMeans cellMeans(const Vell::Picture& picture)
{
    CellMeans means;
    means.cells.assign(columns * rows, {0.0, 0.0, 0.0});
    std::vector<int> counts(columns * rows, 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
            const int cell = (y * rows / picture.height) * columns + x * columns / picture.width;
            means.cells[std::size_t(cell)][0] += (p >> 16) & 0xFF;
            means.cells[std::size_t(cell)][1] += (p >> 8) & 0xFF;
            means.cells[std::size_t(cell)][2] += p & 0xFF;
            ++counts[std::size_t(cell)];
        }
    }
    for (std::size_t i = 0; i < means.cells.size(); ++i)
        for (double& channel : means.cells[i])
            channel /= std::max(counts[i], 1);
    return means;
}

// The share of cells whose colours agree.
double agreement(const std::string& a, const std::string& b)
{
    const Vell::Picture first = Vell::readPng(a), second = Vell::readPng(b);
    if (first.width == 0 || second.width == 0)
        return 0.0;
    const CellMeans ma = cellMeans(first), mb = cellMeans(second);
    int agreeing = 0;
    for (std::size_t i = 0; i < ma.cells.size(); ++i) {
        double worst = 0.0;
        for (int c = 0; c < 3; ++c)
            worst = std::max(worst, std::fabs(ma.cells[i][std::size_t(c)] - mb.cells[i][std::size_t(c)]));
        agreeing += worst <= cellTolerance;
    }
    return double(agreeing) / double(ma.cells.size());
}

// The faults a page must show: each edits a faithful export of the map.
using Plant = void (*)(tinygltf::Model&, const World&);

void flipTextureRows(tinygltf::Model& model, const World&)
{
    ReadBack::editFloats<2>(model, TINYGLTF_TYPE_VEC2, [](float* uv) { uv[1] = -uv[1]; });
}

// The camera's heading in the file: its turn about +Y.
double headingOf(const tinygltf::Node& camera)
{
    return 2.0 * std::atan2(camera.rotation[1], camera.rotation[3]);
}

const tinygltf::Node& cameraNode(const tinygltf::Model& model)
{
    for (const tinygltf::Node& node : model.nodes)
        if (node.name == "camera")
            return node;
    throw std::runtime_error("no camera node");
}

// The mirror image of the whole file, camera and all, with the triangles'
// winding kept facing the viewer: what an exporter with one axis the wrong
// way round would write.
void mirrorLevel(tinygltf::Model& model, const World&)
{
    ReadBack::editFloats<3>(model, TINYGLTF_TYPE_VEC3, [](float* p) { p[0] = -p[0]; });
    for (tinygltf::Node& node : model.nodes) {
        if (node.translation.size() == 3)
            node.translation[0] = -node.translation[0];
        if (node.rotation.size() == 4)
            node.rotation[1] = -node.rotation[1];
    }
    for (tinygltf::Accessor& accessor : model.accessors) {
        if (accessor.type == TINYGLTF_TYPE_VEC3 && accessor.minValues.size() == 3) {
            std::swap(accessor.minValues[0], accessor.maxValues[0]);   // the bounds viewers cull by
            accessor.minValues[0] = -accessor.minValues[0];
            accessor.maxValues[0] = -accessor.maxValues[0];
        }
    }
    for (const tinygltf::Mesh& mesh : model.meshes)
        for (const tinygltf::Primitive& primitive : mesh.primitives)
            ReadBack::editTriangles(model, primitive, [](auto& corner, auto) { std::swap(corner[1], corner[2]); });
}

// Every triangle facing up in the sector whose floor fills the bottom of the
// start view (about 4 m ahead of the eye) collapses to a point.
void dropFloorAhead(tinygltf::Model& model, const World& world)
{
    const tinygltf::Node& camera = cameraNode(model);
    const double heading = headingOf(camera), ahead = 4.0;
    const double X = camera.translation[0] - ahead * std::sin(heading);
    const double Z = camera.translation[2] - ahead * std::cos(heading);
    const int sector = world.sectorAt(X * VellTools::LevelExport::unitsPerMetre,
                                      -Z * VellTools::LevelExport::unitsPerMetre);
    if (sector < 0)
        throw std::runtime_error("no sector 4 m ahead of the start");
    const std::string name = "sector " + std::to_string(sector);
    for (const tinygltf::Node& node : model.nodes) {
        if (node.name != name || node.mesh < 0)
            continue;
        for (const tinygltf::Primitive& primitive : model.meshes[std::size_t(node.mesh)].primitives)
            ReadBack::editTriangles(model, primitive, [](auto& corner, auto p) {
                const double ux = p[1][0] - p[0][0], uz = p[1][2] - p[0][2];
                const double vx = p[2][0] - p[0][0], vz = p[2][2] - p[0][2];
                if (uz * vx - ux * vz > 0.0)   // the normal's Y: facing up
                    corner[1] = corner[2] = corner[0];
            });
    }
}

// A quarter turn to the left of where the camera looked.
void turnCamera(tinygltf::Model& model, const World&)
{
    for (tinygltf::Node& node : model.nodes) {
        if (node.name != "camera")
            continue;
        const double heading = headingOf(node) + M_PI / 2.0;
        node.rotation = {0.0, std::sin(heading / 2.0), 0.0, std::cos(heading / 2.0)};
    }
}

std::vector<std::uint8_t> glbOf(tinygltf::Model& model)
{
    std::ostringstream bytes;
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&model, bytes, false, true);
    const std::string text = bytes.str();
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class PageTest : public ::testing::Test {
protected:
    struct Opened {
        std::vector<std::string> errors;
        double firstPicture = 0.0;
        std::map<std::string, std::string> pictures;   // start, walked, back
    };

    // What goes wrong here is kept for the tests to fail with: a suite
    // whose set-up fails is only reported as skipped, and a machine where
    // Chromium cannot start must not pass.
    static void SetUpTestSuite()
    {
        folder = new TestSupport::ScratchFolder("pages");
        std::vector<std::string> pages;
        for (const char* name : {"demo", "e3l1", "large"}) {
            const std::string page = path(name) + ".html";
            if (!ran(std::string(MAPEXPORT_PATH) + " --html " + LARGE_ARCHIVE + " " + name + ".map " + page) ||
                !ran(mapshotCommand + " --no-fog " + LARGE_ARCHIVE + " " + name + ".map " + path(name) + "-mapshot.png"))
                return;
            pages.push_back(page);
        }
        try {
            for (const Planted& planted : plants())
                pages.push_back(plantedPage(planted));
        } catch (const std::exception& e) {
            setUpProblem = std::string("a fault could not be planted: ") + e.what();
            return;
        }
        openPages(pages);
    }
    void SetUp() override { ASSERT_EQ(setUpProblem, "") << setUpProblem; }

    static bool ran(const std::string& command)
    {
        const auto run = TestSupport::runCommand(command + " 2>&1");
        if (run.status != 0)
            setUpProblem = command + " failed:\n" + run.output;
        return run.status == 0;
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
        opened.clear();
    }

    static std::string path(const std::string& name) { return folder->path(name); }

    // Each fault on a map whose start view shows it: large.map's sky runs
    // from dark at the top to light at the horizon, its bricks look alike
    // either way up.
    struct Planted {
        const char* name;
        const char* map;
        Plant plant;
    };
    static std::vector<Planted> plants()
    {
        return {{"flipped", "large", flipTextureRows}, {"mirrored", "large", mirrorLevel},
                {"floorless", "e3l1", dropFloorAhead}, {"turned", "demo", turnCamera}};
    }

    // The map's export with the fault planted, as a page.
    static std::string plantedPage(const Planted& planted)
    {
        const std::string mapName = std::string(planted.map) + ".map";
        Vell3D::GroupArchive archive;
        archive.open(LARGE_ARCHIVE);
        Vell3D::TileSet tiles;
        tiles.load(archive, "tiles", "palette.dat");
        const Vell3D::Map map = Vell3D::loadMapEntry(archive, mapName.c_str());
        World world;
        world.build(map);
        world.attachTextures(tiles);
        VellTools::LevelExport level(map, world, {});
        tinygltf::Model model = ReadBack::load(level.model().glb());
        planted.plant(model, world);
        const std::string page = VellTools::LevelPage::html(glbOf(model), mapName);
        const std::string file = path(planted.name) + ".html";
        Vell::writeFile(file, std::vector<std::uint8_t>(page.begin(), page.end()));
        return file;
    }

    static void openPages(const std::vector<std::string>& pages)
    {
        std::string command = std::string("NODE_PATH='") + PAGE_MODULES + "' node '" + OPEN_PAGES_SCRIPT + "' " +
                              folder->path("");
        for (const std::string& page : pages)
            command += " " + page;
        const auto run = TestSupport::runCommandWithErrors(command);
        if (run.status != 0) {
            setUpProblem = "the pages could not be opened in Chromium:\n" + run.errors;
            return;
        }
        std::istringstream lines(run.output);
        for (std::string line; std::getline(lines, line);) {
            const std::size_t tab = line.find('\t'), second = line.find('\t', tab + 1);
            if (second == std::string::npos)
                continue;
            Opened& page = opened[line.substr(0, tab)];
            const std::string key = line.substr(tab + 1, second - tab - 1), value = line.substr(second + 1);
            if (key == "error")
                page.errors.push_back(value);
            else if (key == "first")
                page.firstPicture = std::stod(value);
            else
                page.pictures[key] = value;
        }
    }

    // The GL driver's own allocations are not ours to check for leaks.
    static inline const std::string mapshotCommand =
        std::string("ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 ") + MAPSHOT_PATH;
    static inline std::string setUpProblem;
    static TestSupport::ScratchFolder* folder;
    static std::map<std::string, Opened> opened;
};

TestSupport::ScratchFolder* PageTest::folder = nullptr;
std::map<std::string, PageTest::Opened> PageTest::opened;

} // namespace

TEST_F(PageTest, EachPageShowsWhatMapshotDrawsAndWalks)
{
    for (const char* name : {"demo", "e3l1", "large"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(opened.count(name));
        const Opened& page = opened[name];
        EXPECT_TRUE(page.errors.empty()) << page.errors.front();
        EXPECT_GT(page.firstPicture, 0.0);
        const std::string mapshot = path(name) + "-mapshot.png";
        EXPECT_GE(agreement(page.pictures.at("start"), mapshot), agreeShare);
        EXPECT_LT(agreement(page.pictures.at("walked"), page.pictures.at("start")), agreeShare) << "W did not move the view";
        EXPECT_EQ(agreement(page.pictures.at("back"), page.pictures.at("start")), 1.0) << "R did not bring back the start";
    }
}

TEST_F(PageTest, PlantedFaultsFailTheComparison)
{
    for (const Planted& planted : plants()) {
        SCOPED_TRACE(planted.name);
        ASSERT_TRUE(opened.count(planted.name));
        const Opened& page = opened[planted.name];
        EXPECT_TRUE(page.errors.empty()) << page.errors.front();
        EXPECT_LT(agreement(page.pictures.at("start"), path(planted.map) + "-mapshot.png"), agreeShare);
    }
}
