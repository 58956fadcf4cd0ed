// PlayerNode: a scene node that knows which world sector holds it. The
// viewers' players are PlayerNodes, put at the world's start
// (StartPlacement) by takePlacement; a player moves with move, which stops
// at solid walls, passes through openings and keeps the node above the
// floor of the sector it ends in. Turning is the plain node rotation.
//
// The node's parent frame is the world's: its matrix is its placement in the
// world, and world points reach its own frame through its inverse.
#pragma once

#include "3d/Node.h"

namespace Vell3D {

class StartPlacement;
class World;

class PlayerNode : public Node {
public:
    // How high above the floor a player stands once he has moved.
    static constexpr double standingHeight = 50.0;

    explicit PlayerNode(Node* parent = nullptr);

    // Copies the other node's sector and transform (not its world), then
    // runs the change hook. Nothing happens for the node itself.
    void takePlacement(const PlayerNode& other);
    // The same for the world's start (World::camera).
    void takePlacement(const StartPlacement& start);

    // The collision-checked translation in the node's own frame (PlayerMove.cpp).
    // A node without a world or without a valid sector moves freely.
    virtual void move(double dx, double dy, double dz);

    int sector = -1;               // -1: no sector, free movement
    World* world = nullptr;        // not owned

protected:
    // Whether the node stands in a sector of its world, so that moves are
    // checked against walls.
    bool tracksSector() const;
    // The horizontal part of a checked move: slides (dx, dy) in the own frame,
    // cut five units short of the first solid wall, and follows the openings
    // crossed into their sectors; the node ends tracked in the sector that
    // holds the point where it stops. Needs tracksSector(). No change hook.
    void collide(double dx, double dy);
    // Moves the node vertically to floorOffset() above the floor of its
    // sector at its position; a vertical floor plane leaves it where it is.
    // Needs tracksSector(). No change hook.
    void followFloor();
    // How high above the floor a move leaves the node.
    virtual double floorOffset() const { return standingHeight; }
    // Translation in the own frame that bypasses the virtual translate, so
    // that subclasses may route translate through move.
    void shift(double dx, double dy, double dz);

private:
    void place(const Matrix4& matrix, const Matrix4& inverse, int newSector);
};

} // namespace Vell3D
