// List: the library's one container, a doubly linked list that owns its
// nodes. It carries a built-in cursor (next, hasMore, reset); every change to
// the list puts the cursor back at the head, so a cursor walk must not change
// the list. Walks that may be nested use node handles instead:
//     for (auto* node = list.headNode(); node;) use(list.nextNode(node));
// Missing elements throw ListException, failed allocations MemoryException.
#pragma once

#include <new>
#include <utility>

#include "core/Exception.h"
#include "core/Object.h"

namespace Vell {

template <typename T>
class List : public Object {
public:
    struct Node {
        T value;
        Node* next;
        Node* previous;
    };

    List() = default;
    List(const List& other) : Object(other)
    {
        try {
            appendAll(other);
        } catch (...) {
            clear();
            throw;
        }
    }
    List& operator=(const List& other)
    {
        if (this != &other) {
            List copy(other);
            swapNodes(copy);
            reset();
        }
        return *this;
    }
    ~List() noexcept(false) override { clear(); }

    const char* className() const override { return "List"; }

    virtual T& first() { return valueAt(head); }
    virtual T& last() { return valueAt(tail); }
    virtual T removeFirst() { return remove(head); }
    virtual T removeLast() { return remove(tail); }

    virtual void prepend(const T& value) { linkBefore(newNode(value), head); }
    virtual void append(const T& value) { linkBefore(newNode(value), nullptr); }

    virtual void clear()
    {
        while (head)
            removeFirst();
        reset();
    }

    virtual int count() const
    {
        int n = 0;
        for (Node* node = head; node; node = node->next)
            ++n;
        return n;
    }

    virtual bool isEmpty() const { return head == nullptr; }
    virtual Node* headNode() const { return head; }
    virtual Node* tailNode() const { return tail; }

    // The value under the handle; the handle moves one step on.
    virtual T& nextNode(Node*& node)
    {
        T& value = valueAt(node);
        node = node->next;
        return value;
    }

    virtual T& previousNode(Node*& node)
    {
        T& value = valueAt(node);
        node = node->previous;
        return value;
    }

    virtual T& at(int index) { return valueAt(nodeAt(index)); }
    virtual const T& at(int index) const { return valueAt(nodeAt(index)); }

    virtual T& valueAt(Node* node)
    {
        if (!node)
            throw ListException();
        return node->value;
    }

    virtual const T& valueAt(const Node* node) const
    {
        if (!node)
            throw ListException();
        return node->value;
    }

    virtual T removeAt(int index) { return remove(nodeAt(index)); }

    // A node that does not belong to this list is refused like a missing one,
    // rather than unlinked from a list it is not in.
    virtual T remove(Node* node)
    {
        if (!node || !head || !contains(node))
            throw ListException();
        T value(std::move(node->value));
        (node->previous ? node->previous->next : head) = node->next;
        (node->next ? node->next->previous : tail) = node->previous;
        delete node;
        reset();
        return value;
    }

    virtual Node* nodeAt(int index) const
    {
        if (index < 0)
            throw ListException();
        Node* node = head;
        for (; node && index > 0; --index)
            node = node->next;
        if (!node)
            throw ListException();
        return node;
    }

    // The embedded cursor.
    virtual T& next()
    {
        if (!cursor)
            throw ListException();
        T& value = cursor->value;
        cursor = cursor->next;
        return value;
    }

    virtual bool hasMore() const { return cursor != nullptr; }
    virtual void reset() { cursor = head; }

private:
    // Links the node in before `next`, or at the end for null.
    void linkBefore(Node* node, Node* next)
    {
        node->next = next;
        node->previous = next ? next->previous : tail;
        (node->previous ? node->previous->next : head) = node;
        (next ? next->previous : tail) = node;
        reset();
    }
    static Node* newNode(const T& value)
    {
        Node* node = new (std::nothrow) Node{value, nullptr, nullptr};
        if (!node)
            throw MemoryException();
        return node;
    }

    bool contains(const Node* wanted) const
    {
        for (Node* node = head; node; node = node->next)
            if (node == wanted)
                return true;
        return false;
    }

    void appendAll(const List& other)
    {
        for (Node* node = other.head; node; node = node->next)
            append(node->value);
    }

    void swapNodes(List& other)
    {
        std::swap(head, other.head);
        std::swap(tail, other.tail);
    }

    Node* head = nullptr;
    Node* tail = nullptr;
    Node* cursor = nullptr;
};

} // namespace Vell
