// Fibers: a body that stops part way keeps its locals, registers and
// floating-point state across switches, nests, survives deep recursion and
// exceptions, and is wound up when dropped unfinished.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "cmd/fiber.h"

namespace cadhost::cmd {
namespace {

// About 1.5 MB of stack for 5,000: far more than a small fiber stack holds.
int depth(int n) {
    volatile char pad[256];
    pad[n % 256] = 1;
    if (n == 0) return 0;
    int below = depth(n - 1);
    return below + pad[n % 256];
}

TEST(Fibers, BodiesKeepTheirStateAcrossSwitches) {
    std::string trail;
    double acc = 0.0;
    Fiber f([&] {
        double local = 1.5;
        long ints[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        for (int i = 0; i < 1000; ++i) {
            local = local * 1.0001 + ints[i % 8];
            Fiber::current()->yield();
        }
        acc = local;
        trail += "end";
    });
    // The resumer's own values must survive every switch too.
    double mine = 2.0;
    int rounds = 0;
    while (!f.resume()) {
        mine = std::sqrt(mine * mine);
        ++rounds;
    }
    EXPECT_EQ(rounds, 1000);
    EXPECT_EQ(mine, 2.0);
    double expect = 1.5;
    for (int i = 0; i < 1000; ++i) expect = expect * 1.0001 + (i % 8 + 1);
    EXPECT_EQ(acc, expect);
    EXPECT_EQ(trail, "end");
    EXPECT_TRUE(f.finished());
    EXPECT_EQ(Fiber::current(), nullptr);
}

TEST(Fibers, NestAndReportTheCurrentOne) {
    std::string trail;
    Fiber outer([&] {
        Fiber* me = Fiber::current();
        Fiber inner([&] {
            trail += Fiber::current() != me ? "i1 " : "wrong ";
            Fiber::current()->yield();
            trail += "i2 ";
        });
        inner.resume();
        trail += Fiber::current() == me ? "o1 " : "wrong ";
        me->yield();
        inner.resume();
        trail += inner.finished() ? "o2" : "wrong";
    });
    EXPECT_FALSE(outer.resume());
    EXPECT_TRUE(outer.resume());
    EXPECT_EQ(trail, "i1 o1 i2 o2");
}

TEST(Fibers, DeepRecursionExceptionsAndAbandonedBodies) {
    int deep = 0;
    Fiber recursion([&] { deep = depth(5000); });
    EXPECT_TRUE(recursion.resume());
    EXPECT_EQ(deep, 5000);

    bool caught = false;
    Fiber throwing([&] {
        try {
            throw std::runtime_error("inside");
        } catch (const std::runtime_error&) {
            caught = true;
        }
        throw std::logic_error("escapes the body");
    });
    EXPECT_TRUE(throwing.resume());
    EXPECT_TRUE(caught);
    // What escaped the body is kept for the resumer to report.
    ASSERT_TRUE(throwing.failure());
    EXPECT_THROW(std::rethrow_exception(throwing.failure()), std::logic_error);
    EXPECT_FALSE(recursion.failure());

    // Dropped while suspended: resumed with abort set until it ends.
    int seen_abort = 0;
    {
        Fiber waiting([&] {
            while (!Fiber::current()->aborting()) Fiber::current()->yield();
            ++seen_abort;
        });
        EXPECT_FALSE(waiting.resume());
    }
    EXPECT_EQ(seen_abort, 1);

    // Stacks are reused: many short fibers in a row all run.
    int runs = 0;
    for (int i = 0; i < 200; ++i) {
        Fiber f([&] { ++runs; });
        f.resume();
    }
    EXPECT_EQ(runs, 200);
}

}  // namespace
}  // namespace cadhost::cmd
