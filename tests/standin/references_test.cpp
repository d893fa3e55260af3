// The reference system: installing, replacing and deleting references in
// every order, auto-deletion, notification, loops and copying.
#include <algorithm>
#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "max.h"
#include "standin/copy_operation.h"
#include "test_classes.h"

using fixture::Node;

namespace {

class References : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(Node::Alive(), 0) << "a node leaked"; }
};

TEST_F(References, ReplaceReferenceInstallsThroughSetReference) {
    Node* maker = new Node;
    Node* target = new Node;
    EXPECT_EQ(maker->ReplaceReference(1, target), REF_SUCCEED);
    EXPECT_EQ(maker->refs[1], target);
    EXPECT_EQ(maker->GetReference(1), target);
    maker->DeleteThis();
    EXPECT_FALSE(Node::IsAlive(target)) << "the orphaned target goes with its maker";
}

TEST_F(References, ReplaceReferenceRefusesSlotsOutsideNumRefs) {
    Node* maker = new Node;
    Node* target = new Node;
    EXPECT_EQ(maker->ReplaceReference(Node::kSlots, target), REF_FAIL);
    EXPECT_EQ(maker->ReplaceReference(-1, target), REF_FAIL);
    target->DeleteThis();
    EXPECT_TRUE(Node::IsAlive(maker)) << "the refused target never depended on it";
    maker->DeleteThis();
}

TEST_F(References, ReplacingTheLastReferenceDeletesTheOldTargetUnlessAskedNotTo) {
    Node* maker = new Node;
    Node* first = new Node;
    Node* second = new Node;
    maker->ReplaceReference(0, first);
    maker->ReplaceReference(0, second);
    EXPECT_FALSE(Node::IsAlive(first));
    maker->ReplaceReference(0, nullptr, FALSE);
    EXPECT_TRUE(Node::IsAlive(second));
    EXPECT_EQ(maker->refs[0], nullptr);
    second->DeleteThis();
    maker->DeleteThis();
}

TEST_F(References, ASharedTargetLivesUntilItsLastReferenceGoes) {
    Node* a = new Node;
    Node* b = new Node;
    Node* shared = new Node;
    a->ReplaceReference(0, shared);
    a->ReplaceReference(2, shared);  // counted once per slot
    b->ReplaceReference(1, shared);
    a->DeleteReference(0);
    EXPECT_TRUE(Node::IsAlive(shared));
    a->DeleteThis();
    EXPECT_TRUE(Node::IsAlive(shared));
    EXPECT_EQ(b->refs[1], shared);
    b->DeleteReference(1);
    EXPECT_FALSE(Node::IsAlive(shared));
    b->DeleteThis();
}

TEST_F(References, DeletingATargetFirstClearsEveryMakersSlots) {
    Node* a = new Node;
    Node* b = new Node;
    Node* target = new Node;
    a->ReplaceReference(0, target);
    a->ReplaceReference(1, target);
    b->ReplaceReference(2, target);
    target->DeleteThis();
    EXPECT_EQ(a->refs[0], nullptr);
    EXPECT_EQ(a->refs[1], nullptr);
    EXPECT_EQ(b->refs[2], nullptr);
    a->DeleteThis();
    b->DeleteThis();
}

TEST_F(References, DeletingTheRootOfAChainDeletesTheChain) {
    Node* root = new Node;
    Node* middle = new Node;
    Node* leaf = new Node;
    Node* keeper = new Node;
    root->ReplaceReference(0, middle);
    middle->ReplaceReference(0, leaf);
    middle->ReplaceReference(1, keeper);
    Node* other = new Node;
    other->ReplaceReference(0, keeper);
    root->DeleteThis();
    EXPECT_FALSE(Node::IsAlive(middle));
    EXPECT_FALSE(Node::IsAlive(leaf));
    EXPECT_TRUE(Node::IsAlive(keeper));
    other->DeleteThis();
}

// Two makers share a target that holds a child; each order of deleting the
// three leaves nothing behind (checked by the fixture and the sanitizers).
TEST_F(References, EveryDeletionOrderIsClean) {
    std::array<int, 3> order = {0, 1, 2};
    do {
        Node* m1 = new Node;
        Node* m2 = new Node;
        Node* target = new Node;
        Node* child = new Node;
        m1->ReplaceReference(0, target);
        m2->ReplaceReference(0, target);
        target->ReplaceReference(0, child);
        const std::array<Node*, 3> objects = {m1, m2, target};
        for (int i : order) {
            if (Node::IsAlive(objects[static_cast<size_t>(i)])) objects[static_cast<size_t>(i)]->DeleteThis();
        }
        if (Node::IsAlive(child)) child->DeleteThis();
        EXPECT_EQ(Node::Alive(), 0) << "order " << order[0] << order[1] << order[2];
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(References, LoopsAreRefused) {
    Node* a = new Node;
    Node* b = new Node;
    Node* c = new Node;
    a->ReplaceReference(0, b);
    b->ReplaceReference(0, c);
    EXPECT_EQ(c->ReplaceReference(0, a), REF_FAIL);
    EXPECT_EQ(a->ReplaceReference(1, a), REF_FAIL);
    EXPECT_EQ(c->refs[0], nullptr);
    EXPECT_EQ(a->ReplaceReference(1, c), REF_SUCCEED) << "a second path is no loop";
    a->DeleteThis();
}

TEST_F(References, DeleteMeDropsReferencesBothWaysThenDeletes) {
    Node* holder = new Node;
    Node* victim = new Node;
    Node* child = new Node;
    holder->ReplaceReference(0, victim);
    victim->ReplaceReference(0, child);
    victim->DeleteMe();
    EXPECT_FALSE(Node::IsAlive(victim));
    EXPECT_FALSE(Node::IsAlive(child));
    EXPECT_EQ(holder->refs[0], nullptr);
    holder->DeleteThis();
}

TEST_F(References, DeleteAllRefsFromMeAndToMe) {
    Node* maker = new Node;
    Node* t1 = new Node;
    Node* t2 = new Node;
    maker->ReplaceReference(0, t1);
    maker->ReplaceReference(2, t2);
    maker->DeleteAllRefsFromMe();
    EXPECT_FALSE(Node::IsAlive(t1));
    EXPECT_FALSE(Node::IsAlive(t2));
    EXPECT_EQ(maker->refs[2], nullptr);

    Node* other = new Node;
    Node* target = new Node;
    maker->ReplaceReference(1, target);
    other->ReplaceReference(0, target);
    target->DeleteAllRefsToMe();
    EXPECT_TRUE(Node::IsAlive(target));
    EXPECT_EQ(maker->refs[1], nullptr);
    EXPECT_EQ(other->refs[0], nullptr);
    target->DeleteThis();
    maker->DeleteThis();
    other->DeleteThis();
}

TEST_F(References, NotifyDependentsReachesEachMakerOnce) {
    Node* a = new Node;
    Node* b = new Node;
    Node* target = new Node;
    Node* stranger = new Node;
    a->ReplaceReference(0, target);
    a->ReplaceReference(1, target);
    b->ReplaceReference(0, target);
    target->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(a->notifications, 1);
    EXPECT_EQ(b->notifications, 1);
    EXPECT_EQ(a->lastMessage, static_cast<RefMessage>(REFMSG_CHANGE));
    EXPECT_EQ(a->lastSender, target);
    EXPECT_EQ(stranger->notifications, 0);

    target->NotifyDependents(FOREVER, PART_ALL, 0x1234, NOTIFY_ALL, TRUE, stranger);
    EXPECT_EQ(b->lastSender, stranger) << "hTarg stands as the sender";
    EXPECT_EQ(b->lastMessage, 0x1234u);

    target->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, TEXMAP_CLASS_ID);
    EXPECT_EQ(a->notifications, 2) << "only makers of the named super class";
    a->DeleteThis();
    b->DeleteThis();
    stranger->DeleteThis();
}

TEST_F(References, AMakerDeletedDuringANotificationIsNotToldAfterwards) {
    Node* first = new Node;
    Node* second = new Node;
    Node* target = new Node;
    first->ReplaceReference(0, target);
    second->ReplaceReference(0, target);
    // Whichever maker hears first deletes the other.
    first->onNotify = [&] {
        if (Node::IsAlive(second)) second->DeleteThis();
    };
    second->onNotify = [&] {
        if (Node::IsAlive(first)) first->DeleteThis();
    };
    target->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE);
    EXPECT_EQ(Node::IsAlive(first) + Node::IsAlive(second), 1);
    Node* remaining = Node::IsAlive(first) ? first : second;
    EXPECT_EQ(remaining->notifications, 1);
    remaining->DeleteThis();
}

TEST_F(References, CloneObjectCopiesEachSharedTargetOnce) {
    Node* a = new Node(1);
    Node* b = new Node(2);
    Node* c = new Node(3);
    Node* d = new Node(4);
    a->ReplaceReference(0, b);
    a->ReplaceReference(1, c);
    b->ReplaceReference(0, d);
    c->ReplaceReference(2, d);
    auto* copy = static_cast<Node*>(standin::CloneObject(a));
    ASSERT_NE(copy, nullptr);
    auto* b2 = static_cast<Node*>(copy->refs[0]);
    auto* c2 = static_cast<Node*>(copy->refs[1]);
    ASSERT_NE(b2, b);
    ASSERT_NE(c2, c);
    EXPECT_EQ(b2->refs[0], c2->refs[2]) << "the diamond stays a diamond";
    EXPECT_NE(b2->refs[0], d);
    EXPECT_EQ(static_cast<Node*>(b2->refs[0])->label, 4);
    EXPECT_EQ(Node::Alive(), 8);
    EXPECT_EQ(standin::CloneObject(nullptr), nullptr);
    a->DeleteThis();
    copy->DeleteThis();
}

TEST_F(References, EachCopyOperationMakesItsOwnCopies) {
    Node* original = new Node(5);
    standin::CopyOperation first;
    ReferenceTarget* copy = first.CloneRef(original);
    EXPECT_EQ(first.CloneRef(original), copy);
    standin::CopyOperation second;
    ReferenceTarget* other = second.CloneRef(original);
    EXPECT_NE(other, copy);
    original->DeleteThis();
    copy->DeleteThis();
    other->DeleteThis();
}

// Interval -------------------------------------------------------------------

TEST(Interval, DefaultIsEmptyAndHoldsNoTime) {
    Interval empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_TRUE(empty == NEVER);
    EXPECT_FALSE(empty.InInterval(TIME_NegInfinity));
    EXPECT_FALSE(empty.InInterval(0));
}

TEST(Interval, Membership) {
    const Interval span(10, 20);
    EXPECT_FALSE(span.InInterval(9));
    EXPECT_TRUE(span.InInterval(10));
    EXPECT_TRUE(span.InInterval(20));
    EXPECT_FALSE(span.InInterval(21));
    EXPECT_TRUE(FOREVER.InInterval(TIME_NegInfinity));
    EXPECT_TRUE(FOREVER.InInterval(TIME_PosInfinity));
    EXPECT_EQ(Interval(20, 10), span) << "ends given in either order";
}

TEST(Interval, Intersection) {
    struct Case {
        Interval a, b, expected;
    };
    const Case cases[] = {
        {FOREVER, Interval(0, 10), Interval(0, 10)},
        {Interval(0, 10), Interval(5, 20), Interval(5, 10)},
        {Interval(0, 10), Interval(10, 20), Interval(10, 10)},
        {Interval(0, 4), Interval(5, 9), NEVER},
        {Interval(), FOREVER, NEVER},
        {FOREVER, FOREVER, FOREVER},
        {Interval(TIME_NegInfinity, 0), Interval(-5, 5), Interval(-5, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a & c.b, c.expected) << c.a.Start() << ".." << c.a.End() << " & " << c.b.Start() << ".."
                                         << c.b.End();
        EXPECT_EQ(c.b & c.a, c.expected);
        Interval narrowed = c.a;
        narrowed &= c.b;
        EXPECT_EQ(narrowed, c.expected);
    }
}

TEST(Version, PacksReleaseApiAndRevision) { EXPECT_EQ(static_cast<unsigned long>(VERSION_3DSMAX), 0x65904000ul); }

}  // namespace
