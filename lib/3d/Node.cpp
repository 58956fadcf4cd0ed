#include "3d/Node.h"

#include <algorithm>

#include "3d/Shape.h"
#include "3d/Texture.h"
#include "3d/Vell3DException.h"
#include "core/UsageCounter.h"

namespace Vell3D {

Node::Node(Node* parent)
{
    if (parent)
        setParent(parent);
}

Node::~Node() noexcept(false)
{
    for (Node* child : children_)
        child->parent_ = nullptr;
    children_.clear();
    detachFromParent();
    if (texture_)
        texture_->detach();
    if (shapeCounter_)
        shapeCounter_->detach();
}

void Node::draw()
{
    glColor3ub(color_.red, color_.green, color_.blue);
    glShadeModel(shadeModel_);
    glPolygonMode(GL_FRONT_AND_BACK, polygonMode_);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    if (texture_) {
        glEnable(GL_TEXTURE_2D);
        texture_->bind(true, true);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    if (shape_)
        shape_->draw();
}

void Node::drawTree()
{
    if (!visible_)
        return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glMultMatrixd(matrix_.data());
    draw();
    for (Node* child : children_)
        child->drawTree();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void Node::resetMatrices()
{
    matrix_ = Matrix4();
    inverse_ = Matrix4();
}

void Node::applyLocal(const Matrix4& op, const Matrix4& opInverse)
{
    matrix_ = matrix_ * op;
    inverse_ = opInverse * inverse_;
}

void Node::applyGlobal(const Matrix4& op, const Matrix4& opInverse)
{
    matrix_ = op * matrix_;
    inverse_ = inverse_ * opInverse;
}

void Node::moveLocal(const Matrix4& op, const Matrix4& opInverse)
{
    applyLocal(op, opInverse);
    changed();
}

void Node::moveGlobal(const Matrix4& op, const Matrix4& opInverse)
{
    applyGlobal(op, opInverse);
    changed();
}

void Node::reset()
{
    resetMatrices();
    changed();
}

void Node::translateGlobal(double x, double y, double z)
{
    moveGlobal(Matrix4::translation(x, y, z), Matrix4::translation(-x, -y, -z));
}

void Node::rotateGlobal(double angle, double x, double y, double z)
{
    moveGlobal(Matrix4::rotation(angle, x, y, z), Matrix4::rotation(-angle, x, y, z));
}

void Node::setPosition(double x, double y, double z)
{
    reset();
    translate(x, y, z);
}

void Node::translate(double x, double y, double z)
{
    moveLocal(Matrix4::translation(x, y, z), Matrix4::translation(-x, -y, -z));
}

void Node::rotate(double angle, double x, double y, double z)
{
    moveLocal(Matrix4::rotation(angle, x, y, z), Matrix4::rotation(-angle, x, y, z));
}

void Node::scale(double x, double y, double z)
{
    // A zero factor would put infinities into the inverse and from there
    // NaNs into every point carried through this node.
    if (x == 0.0 || y == 0.0 || z == 0.0)
        throw Vell3DException("Node::scale: zero factor");
    moveLocal(Matrix4::scaling(x, y, z), Matrix4::scaling(1.0 / x, 1.0 / y, 1.0 / z));
}

void Node::reflect(const Vector3& p, const Vector3& n)
{
    Matrix4 f = Matrix4::reflection(p, n);
    moveLocal(f, f);
}

void Node::multiply(const Node& other)
{
    // Read other's matrices first: other may be this node.
    Matrix4 m = other.matrix_;
    Matrix4 inv = other.inverse_;
    moveLocal(m, inv);
}

Vector3 Node::toParent(const Vector3& p) const
{
    return matrix_.transformPoint(p);
}

Vector3 Node::fromParent(const Vector3& p) const
{
    return inverse_.transformPoint(p);
}

Vector3 Node::position() const
{
    return Vector3(matrix_[12], matrix_[13], matrix_[14]);
}

// Not an arc cosine: a linear map of the y axis' x and y components that
// the status overlay and the movement code agree on. An unturned node reads
// 360, a quarter turn clockwise about z (element 4 = 1) reads 90.
double Node::heading() const
{
    if (matrix_[4] > 0.0)
        return 90.0 - 90.0 * matrix_[5];
    return 90.0 * matrix_[5] + 270.0;
}

void Node::setColor(const Vell::Color& color)
{
    color_.red = color.red;
    color_.green = color.green;
    color_.blue = color.blue;
}

void Node::detachFromParent()
{
    if (!parent_)
        return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_ = nullptr;
}

void Node::setParent(Node* parent)
{
    // A node inside its own subtree would make every tree walk endless.
    for (Node* n = parent; n; n = n->parent_)
        if (n == this)
            throw Vell3DException("Node::setParent: cycle");
    detachFromParent();
    parent_ = parent;
    if (parent)
        parent->children_.push_back(this);
}

// The counter is found once, here: a shape without one may already be gone
// when the node is destroyed, and must not be looked at then.
void Node::setShape(Shape* shape)
{
    Vell::UsageCounter* counter = dynamic_cast<Vell::UsageCounter*>(shape);
    if (counter)
        counter->attach();
    if (shapeCounter_)
        shapeCounter_->detach();
    shape_ = shape;
    shapeCounter_ = counter;
}

void Node::setTexture(Texture* texture)
{
    if (texture)
        texture->attach();
    if (texture_)
        texture_->detach();
    texture_ = texture;
}

} // namespace Vell3D
