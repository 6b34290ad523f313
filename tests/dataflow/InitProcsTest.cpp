#include "dataflow/InitProcs.h"

#include <gtest/gtest.h>

#include <string>

using namespace dataflow;

TEST(InitProcs, RunInOrderOnceAndEmptyTheList) {
    std::string order;
    addInitProc([&] { order += 'a'; });
    addInitProc([&] { order += 'b'; });
    addInitProc(nullptr);
    addInitProc([&] { order += 'c'; });
    runInitProcs();
    EXPECT_EQ(order, "abc");
    runInitProcs();
    EXPECT_EQ(order, "abc");
}

TEST(InitProcs, ProceduresAddedWhileRunningRunInTheSamePass) {
    std::string order;
    // Registering many from inside a procedure grows the list under the running entry.
    addInitProc([&] {
        order += 'x';
        for (int i = 0; i < 100; ++i)
            addInitProc([&order, i] {
                if (i == 99) order += 'y';
            });
    });
    runInitProcs();
    EXPECT_EQ(order, "xy");
    runInitProcs();
    EXPECT_EQ(order, "xy");
}

TEST(InitProcs, AnOwnerCanWithdrawItsProcedures) {
    std::string order;
    int owner = 0;
    addInitProc([&] { order += 'a'; });
    addInitProc([&] { order += 'b'; }, &owner);
    addInitProc([&] { order += 'c'; }, &order);
    cancelInitProcs(&owner);
    cancelInitProcs(nullptr);  // no owner: nothing withdrawn
    runInitProcs();
    EXPECT_EQ(order, "ac");
}
