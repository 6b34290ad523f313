// Objects with deferred destruction, pointer lists and string lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/objects/TList.h"
#include "toolkit/objects/TObj.h"
#include "toolkit/objects/TStrList.h"

using namespace toolkit;

namespace {

// Reports its own destruction into a log.
class Probe : public TObj {
public:
    explicit Probe(std::string* log) : log_(log) {}
    ~Probe() override { *log_ += "~"; }

private:
    std::string* log_;
};

std::vector<std::string> strings(const TStrList& list) {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < list.count(); ++i) out.emplace_back(list.get(i));
    return out;
}

}  // namespace

TEST(TObj, FreeInsideAReferenceBracketWaitsForTheLastRefDec) {
    std::string log;
    auto* probe = new Probe(&log);
    probe->refInc();
    probe->refInc();
    probe->free();
    probe->free();  // a second request changes nothing
    EXPECT_EQ(probe->refCount(), 3);
    probe->refDec();
    EXPECT_EQ(log, "");
    EXPECT_EQ(probe->refCount() % 2, 1);  // odd: going
    probe->refDec();
    EXPECT_EQ(log, "~");
}

TEST(TObj, RefDecWithoutARequestKeepsTheObject) {
    std::string log;
    auto* probe = new Probe(&log);
    probe->refInc();
    probe->refDec();
    EXPECT_EQ(log, "");
    EXPECT_EQ(probe->refCount(), 0);
    probe->free();
    EXPECT_EQ(log, "~");
    freeObject(nullptr);  // freeing no object does nothing
}

TEST(TObj, DestroyNotificationRunsBeforeCleanUpsLastRegisteredFirst) {
    std::string log;
    auto* probe = new Probe(&log);
    probe->onDestroy = [&log, probe](TObj* sender) { log += sender == probe ? "D" : "?"; };
    probe->addAutoFree([](void* l) { *static_cast<std::string*>(l) += "A"; }, &log);
    probe->addAutoFree([](void* l) { *static_cast<std::string*>(l) += "B"; }, &log);
    probe->free();
    EXPECT_EQ(log, "~DBA");  // the object's own clean-up, then the notification, B, A
}

TEST(TList, GrowsByFourAndNeverShrinksOnDelete) {
    TList list;
    std::vector<std::int32_t> capacities;
    int values[13];
    for (int& v : values) {
        list.add(&v);
        capacities.push_back(list.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12, 16}));
    list.deleteRange(0, 10);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.capacity(), 16);
    EXPECT_EQ(list.get(0), &values[10]);
    list.clear();
    EXPECT_EQ(list.capacity(), 0);
    EXPECT_EQ(list.count(), 0);

    TList byZero(0);  // a step of 0 counts as 4
    byZero.add(nullptr);
    EXPECT_EQ(byZero.capacity(), 4);
}

TEST(TList, InsertGetIndexOfAndDeleteRange) {
    int a, b, c, d, e;
    TList list;
    for (int* p : {&a, &b, &c, &d, &e}) list.add(p);
    list.deleteRange(2, 10);  // cut to the end
    EXPECT_EQ(list.count(), 2);
    list.insert(0, &e);
    list.insert(3, &d);
    EXPECT_EQ(list.get(0), &e);
    EXPECT_EQ(list.get(1), &a);
    EXPECT_EQ(list.get(3), &d);
    EXPECT_EQ(list.get(4), nullptr);
    EXPECT_EQ(list.get(-1), nullptr);
    EXPECT_EQ(list.indexOf(&b), 2);
    EXPECT_EQ(list.indexOf(&c), -1);
    list.deleteRange(1, 0);
    EXPECT_EQ(list.count(), 4);
    list.setCapacity(1);  // never below count
    EXPECT_EQ(list.capacity(), 4);
    EXPECT_EQ(list.get(3), &d);
    // At count, with every slot in use: nothing to delete or replace (and nothing
    // written past the slots, which the address checker would report).
    list.deleteAt(4);
    list.deleteAt(5);
    list.put(4, &a);
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(list.get(3), &d);
    // Nor with room to spare: the slot after the items, where the deleted last item
    // was, keeps it.
    list.add(&e);
    list.deleteAt(4);
    list.put(4, &a);
    EXPECT_EQ(list.items()[4], &e);
}

TEST(TStrList, SetTextLineRules) {
    TStrList list;
    list.setText("a\r\nb\r\n", false);
    EXPECT_EQ(strings(list), (std::vector<std::string>{"a", "b"}));
    list.setText("a\nb", false);
    EXPECT_EQ(strings(list), (std::vector<std::string>{"a\nb"}));
    list.setText("a\r\rb", false);
    EXPECT_EQ(strings(list), (std::vector<std::string>{"a", "", "b"}));
    list.setText("\r\n", false);
    EXPECT_EQ(strings(list), (std::vector<std::string>{""}));
    list.setText("", false);
    EXPECT_EQ(list.count(), 0);
}

TEST(TStrList, AppendKeepsInsertedAndLoadedStringsValid) {
    TStrList list;
    list.setText("one\r\ntwo", false);
    list.insert(1, "inserted");
    list.add("added");
    list.setText("three\rfour\r\n", true);
    EXPECT_EQ(strings(list), (std::vector<std::string>{"one", "inserted", "two", "added", "three", "four"}));
    list.deleteAt(1);
    list.deleteAt(0);  // a loaded line: lives in the block, nothing to release
    list.deleteAt(4);  // at the count: nothing to delete
    EXPECT_EQ(strings(list), (std::vector<std::string>{"two", "added", "three", "four"}));
    EXPECT_EQ(list.count(), 4);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.get(0), nullptr);
    list.add("");
    EXPECT_EQ(strings(list), (std::vector<std::string>{""}));
}

TEST(TStrListEx, ObjectsFollowTheirStrings) {
    int x, y, z;
    TStrListEx list;
    EXPECT_EQ(list.addObject("x", &x), 0);
    EXPECT_EQ(list.addObject("z", &z), 1);
    list.insertObject(1, "y", &y);
    EXPECT_EQ(strings(list), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(list.objectAt(1), &y);
    EXPECT_EQ(list.indexOfObject(&z), 2);
    list.deleteAt(0);
    EXPECT_EQ(list.objectAt(0), &y);
    EXPECT_EQ(list.indexOfObject(&x), -1);
    EXPECT_EQ(list.objectAt(5), nullptr);
    list.add("no object");  // a string with an empty object entry
    list.deleteAt(2);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.indexOfObject(&z), 1);
    // Loaded and inserted lines get empty objects, so the objects keep their strings.
    list.setText("a\r\nb", false);
    list.insert(0, "first");
    EXPECT_EQ(list.addObject("x", &x), 3);
    list.insertObject(1, "y", &y);
    EXPECT_EQ(list.objectAt(0), nullptr);
    EXPECT_EQ(list.objectAt(1), &y);
    EXPECT_EQ(list.objectAt(4), &x);
    list.deleteAt(4);
    EXPECT_EQ(list.indexOfObject(&x), -1);
    EXPECT_EQ(list.indexOfObject(&y), 1);
}

TEST(TStrList, SetTextWithOneOfTheListsOwnLines) {
    TStrList list;
    list.setText("one\r\ntwo", false);
    list.add("three");
    list.setText(list.get(2), false);  // freed by the clear that comes first
    EXPECT_EQ(strings(list), (std::vector<std::string>{"three"}));
    list.setText(list.get(0), false);  // a line inside the text block
    EXPECT_EQ(strings(list), (std::vector<std::string>{"three"}));
}
