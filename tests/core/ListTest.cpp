#include <gtest/gtest.h>

#include "core/Exception.h"
#include "core/List.h"
#include "core/String.h"

using namespace Vell;

namespace {

List<int> listOf(std::initializer_list<int> values)
{
    List<int> list;
    for (int v : values)
        list.append(v);
    return list;
}

} // namespace

TEST(List, EmptyListRefusesAccess)
{
    List<int> list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_THROW(list.first(), ListException);
    EXPECT_THROW(list.last(), ListException);
    EXPECT_THROW(list.removeFirst(), ListException);
    EXPECT_THROW(list.removeLast(), ListException);
    EXPECT_THROW(list.remove(nullptr), ListException);
    EXPECT_THROW(list.next(), ListException);
    EXPECT_THROW(list.nodeAt(0), ListException);
    List<int>::Node* none = nullptr;
    EXPECT_THROW(list.nextNode(none), ListException);
    EXPECT_STREQ(list.className(), "List");
}

TEST(List, RemovingTheOnlyNodeEmptiesIt)
{
    List<int> list;
    list.append(7);
    EXPECT_EQ(list.remove(list.headNode()), 7);
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.headNode(), nullptr);
    EXPECT_EQ(list.tailNode(), nullptr);
    list.prepend(8);   // links from scratch again
    EXPECT_EQ(list.first(), 8);
    EXPECT_EQ(list.last(), 8);
}

TEST(List, IndexesAndRemoval)
{
    List<int> list = listOf({1, 2, 3});
    EXPECT_THROW(list.nodeAt(3), ListException);
    EXPECT_THROW(list.nodeAt(-1), ListException);
    EXPECT_EQ(list.nodeAt(2), list.tailNode());
    EXPECT_EQ(list.removeAt(1), 2);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.at(0), 1);
    EXPECT_EQ(list.at(1), 3);
    EXPECT_EQ(list.tailNode()->previous, list.headNode());
    list.prepend(0);
    EXPECT_EQ(list.removeLast(), 3);
    EXPECT_EQ(list.removeFirst(), 0);
    EXPECT_EQ(list.first(), 1);
}

TEST(List, ForeignNodeIsRefused)
{
    List<int> a = listOf({1, 2}), b = listOf({3, 4, 5});
    EXPECT_THROW(a.remove(b.nodeAt(1)), ListException);
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(b.count(), 3);
}

TEST(List, NodeWalksBothWays)
{
    List<int> list = listOf({1, 2, 3});
    int sum = 0;
    for (auto* node = list.headNode(); node;)
        sum = sum * 10 + list.nextNode(node);
    EXPECT_EQ(sum, 123);
    sum = 0;
    for (auto* node = list.tailNode(); node;)
        sum = sum * 10 + list.previousNode(node);
    EXPECT_EQ(sum, 321);
}

TEST(List, ChangesResetTheCursor)
{
    List<int> list = listOf({1, 2, 3});
    list.reset();
    EXPECT_EQ(list.next(), 1);
    EXPECT_EQ(list.next(), 2);
    list.append(4);
    EXPECT_EQ(list.next(), 1);
    while (list.hasMore())
        list.next();
    EXPECT_THROW(list.next(), ListException);
}

TEST(List, OwnsStringCopies)
{
    List<String> list;
    {
        String s("alpha");
        list.append(s);
        s.charAt(0) = 'A';
    }
    List<String> copy(list);
    copy.first().charAt(1) = 'L';
    EXPECT_STREQ(list.first().text(), "alpha");
    EXPECT_STREQ(copy.first().text(), "aLpha");
    copy = list;
    EXPECT_STREQ(copy.first().text(), "alpha");
    EXPECT_STREQ(list.removeFirst().text(), "alpha");
}
