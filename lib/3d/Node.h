// Node: one element of a scene tree. A node keeps its transform twice, as
// the matrix M (its frame to its parent's) and as M's inverse, and every
// transform operation updates both, so points move up and down the tree
// without ever inverting a matrix.
//
// Children are not owned: a node's owner keeps it alive. A node leaves its
// parent's children on destruction and its children lose their parent, so
// no list is left pointing at a dead node.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "3d/Matrix4.h"
#include "3d/Vector3.h"
#include "core/Object.h"
#include "core/UsageCounter.h"
#include "gui/Color.h"

namespace Vell3D {

class Shape;
class Texture;

class Node : public Vell::Object {
public:
    explicit Node(Node* parent = nullptr);
    ~Node() noexcept(false) override;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // Applies the material and draws the shape.
    virtual void draw();
    virtual void reset();
    // Global forms apply the operation in the parent's frame (M = op * M),
    // local forms in the node's own frame (M = M * op).
    virtual void translateGlobal(double x, double y, double z);
    virtual void rotateGlobal(double angle, double x, double y, double z);
    virtual void setPosition(double x, double y, double z);
    virtual void translate(double x, double y, double z);
    virtual void rotate(double angle, double x, double y, double z);
    // Throws Vell3DException for a zero factor: the inverse would not exist.
    virtual void scale(double x, double y, double z);
    // Mirror in the plane through p with unit normal n.
    virtual void reflect(const Vector3& p, const Vector3& n);
    virtual Vector3 toParent(const Vector3& p) const;
    virtual Vector3 fromParent(const Vector3& p) const;
    virtual Vector3 position() const;
    // Degrees; piecewise linear in the matrix elements, see Node.cpp.
    virtual double heading() const;
    virtual void setShadeModel(GLenum mode) { shadeModel_ = mode; }
    virtual GLenum shadeModel() const { return shadeModel_; }
    virtual void setPolygonMode(GLenum mode) { polygonMode_ = mode; }
    virtual GLenum polygonMode() const { return polygonMode_; }
    virtual void setColor(const Vell::Color& color);
    virtual Vell::Color color() const { return color_; }
    virtual void setVisible(bool visible) { visible_ = visible; }
    virtual bool isVisible() const { return visible_; }

    // Called at the end of every operation that changes the transform.
    // Subclasses that derive state from the transform override it.
    virtual void changed() {}

    // M = M * other.M, M^-1 = other.M^-1 * M^-1, then changed.
    void multiply(const Node& other);
    // Leaves the old parent's children and joins the end of the new one's.
    // Throws Vell3DException when the node would become its own ancestor.
    void setParent(Node* parent);
    Node* parent() const { return parent_; }
    const std::vector<Node*>& children() const { return children_; }

    // Draws this node and its subtree, each under its own matrix; an
    // invisible node hides the whole subtree.
    void drawTree();

    const Matrix4& matrix() const { return matrix_; }
    const Matrix4& inverse() const { return inverse_; }

    // Both attach to the new object's usage counter and detach from the old.
    void setShape(Shape* shape);
    Shape* shape() const { return shape_; }
    void setTexture(Texture* texture);
    Texture* texture() const { return texture_; }

protected:
    // M = M * op, M^-1 = opInverse * M^-1; no change hook.
    void applyLocal(const Matrix4& op, const Matrix4& opInverse);
    // M = op * M, M^-1 = M^-1 * opInverse; no change hook.
    void applyGlobal(const Matrix4& op, const Matrix4& opInverse);
    // The same, then the change hook.
    void moveLocal(const Matrix4& op, const Matrix4& opInverse);
    void moveGlobal(const Matrix4& op, const Matrix4& opInverse);
    void resetMatrices();

private:
    void detachFromParent();

    Node* parent_ = nullptr;
    std::vector<Node*> children_;
    Matrix4 matrix_;
    Matrix4 inverse_;
    Shape* shape_ = nullptr;
    Vell::UsageCounter* shapeCounter_ = nullptr;   // shape_'s counter, if it has one
    Texture* texture_ = nullptr;
    GLenum shadeModel_ = GL_SMOOTH;
    GLenum polygonMode_ = GL_FILL;
    Vell::Color color_{255, 255, 255};
    bool visible_ = true;
};

} // namespace Vell3D
