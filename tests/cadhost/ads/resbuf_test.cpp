// Value lists: building, copying, releasing and converting to group lists.
#include <stdexcept>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

#include "host/rbconv.h"
#include "session_fixture.h"

using namespace cadhost;

TEST(Resbuf, BuildlistTakesEachKindOfValue) {
    ads_point p = {1, 2, 3};
    ads_name n = {5, 1};
    struct resbuf* rb = ads_buildlist(RTSTR, "abc", RTSHORT, 7, RTREAL, 2.5, RTPOINT, p, RTLONG, 70000L,
                                      RTENAME, n, RTLB, RTT, RTLE, 62, 3, 40, 1.25, 1, "text", 0);
    ASSERT_NE(rb, nullptr);
    std::vector<short> types;
    for (struct resbuf* r = rb; r; r = r->rbnext) types.push_back(r->restype);
    EXPECT_EQ(types, (std::vector<short>{RTSTR, RTSHORT, RTREAL, RTPOINT, RTLONG, RTENAME, RTLB, RTT, RTLE, 62, 40, 1}));
    EXPECT_STREQ(rb->resval.rstring, "abc");
    EXPECT_EQ(rb->rbnext->resval.rint, 7);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rpoint[Z], 3.0);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->resval.rlong, 70000);
    EXPECT_EQ(ads_relrb(rb), RTNORM);
}

TEST(Resbuf, BuildlistFailsCleanlyOnAMissingPoint) {
    EXPECT_EQ(ads_buildlist(RTSTR, "a", RTPOINT, static_cast<double*>(nullptr), 0), nullptr);
}

TEST(Resbuf, CopiesOwnTheirStringsAndBinaryChunks) {
    struct ads_binary b = {3, const_cast<char*>("\x01\x02\x03")};
    struct resbuf* rb = ads_buildlist(1, "x", 310, &b, 0);
    struct resbuf* c = host::copy_chain(rb);
    ads_relrb(rb);  // the copy must not share memory with the original
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->resval.rstring, "x");
    EXPECT_EQ(c->rbnext->resval.rbinary.clen, 3);
    EXPECT_EQ(c->rbnext->resval.rbinary.buf[2], 3);
    ads_relrb(c);
}

// A copy that runs out of memory part way is no copy: the caller gets
// nothing, never a shorter chain that looks whole. Memory is made to run
// out by a limit on the address space of a child process.
TEST(Resbuf, ACopyThatRunsOutOfMemoryGivesNothing) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    constexpr int kChunks = 4000;
    constexpr short kBytes = 32000;  // 128 MB in all
    std::vector<char> bytes(kBytes, 7);
    struct ads_binary b = {kBytes, bytes.data()};
    struct resbuf* rb = nullptr;
    for (int i = 0; i < kChunks; ++i) {
        struct resbuf* one = ads_buildlist(310, &b, 0);
        ASSERT_NE(one, nullptr);
        one->rbnext = rb;
        rb = one;
    }
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlim_t now = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE));
        struct rlimit lim = {now + (32u << 20), now + (32u << 20)};  // room for a quarter of the copy
        if (setrlimit(RLIMIT_AS, &lim) != 0) _exit(3);
        struct resbuf* c = host::copy_chain(rb);
        int n = 0;
        for (struct resbuf* r = c; r; r = r->rbnext) ++n;
        _exit(n == 0 ? 0 : n == kChunks ? 2 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ads_relrb(rb);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2) << "the limit left room for the whole copy";
    EXPECT_NE(WEXITSTATUS(status), 1) << "a shorter chain came back as the copy";
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

// Released resbufs are made again for later chains; each comes back as new,
// with nothing of the value or the chain it was in.
TEST(Resbuf, ResbufsMadeAfterAReleaseStartEmpty) {
    ads_point p = {1, 2, 3};
    for (int round = 0; round < 3; ++round) {
        struct resbuf* rb = ads_buildlist(RTSTR, "first", RTPOINT, p, RTSTR, "third", RTREAL, 4.5, 0);
        ASSERT_NE(rb, nullptr);
        ads_relrb(rb);
        std::vector<struct resbuf*> made;
        for (int i = 0; i < 4; ++i) {
            struct resbuf* n = ads_newrb(RTSTR);
            ASSERT_NE(n, nullptr);
            EXPECT_EQ(n->restype, RTSTR);
            EXPECT_EQ(n->rbnext, nullptr);
            EXPECT_EQ(n->resval.rstring, nullptr);
            made.push_back(n);
        }
        // Freed by the application itself, as it may do with any resbuf.
        for (struct resbuf* n : made) free(n);
    }
}

// Strings of released chains are reused for later ones, whatever length
// each has and whoever made the string that was released.
TEST(Resbuf, StringsOfReleasedChainsComeBackWhole) {
    std::vector<std::string> texts;
    for (int n : {0, 1, 7, 15, 16, 23, 24, 25, 39, 40, 41, 55, 71, 72, 73, 200}) texts.push_back(std::string(n, 'a' + n % 26));
    for (int round = 0; round < 3; ++round) {
        struct resbuf* head = nullptr;
        for (size_t i = texts.size(); i-- > 0;) {
            struct resbuf* rb = ads_buildlist(RTSTR, texts[(i + round) % texts.size()].c_str(), 0);
            ASSERT_NE(rb, nullptr);
            rb->rbnext = head;
            head = rb;
        }
        size_t i = 0;
        for (struct resbuf* r = head; r; r = r->rbnext, ++i) EXPECT_EQ(std::string(r->resval.rstring), texts[(i + round) % texts.size()]);
        // An application's own string in place of one the host made.
        free(head->resval.rstring);
        head->resval.rstring = strdup("replaced by the application");
        ads_relrb(head);
    }
#if defined(__GLIBC__)
    // Every string handed out has room for its text, whichever kept block it
    // came from.
    for (size_t len = 0; len < 90; ++len) {
        for (size_t n = 0; n < 90; n += 3) ads::release_text(static_cast<char*>(malloc(n + 1)));
        char* p = ads::new_rb_text(std::string(len, 'x'));
        ASSERT_NE(p, nullptr);
        EXPECT_GE(malloc_usable_size(p), len + 1) << len;
        EXPECT_EQ(std::string(p), std::string(len, 'x'));
        ads::release_text(p);
    }
#endif
}

// The kept blocks are handed out again, in every build: a resbuf or string
// released is the next one made.
TEST(Resbuf, ReleasedBlocksAreMadeAgain) {
    struct resbuf* rb = ads_buildlist(RTSTR, "short text", 0);
    ASSERT_NE(rb, nullptr);
    struct resbuf* was = rb;
    ads_relrb(rb);
    struct resbuf* again = ads_newrb(RTSHORT);
    EXPECT_EQ(again, was);
    EXPECT_EQ(again->restype, RTSHORT);
    EXPECT_EQ(again->resval.rint, 0);
    ads_relrb(again);
#if defined(__GLIBC__)
    char* text = static_cast<char*>(malloc(24));
    ASSERT_NE(text, nullptr);
    ads::release_text(text);
    char* reused = ads::new_rb_text("twenty-three characters");
    EXPECT_EQ(reused, text);
    EXPECT_STREQ(reused, "twenty-three characters");
    ads::release_text(reused);
#endif
}

#if defined(__SANITIZE_ADDRESS__)
// Kept blocks stay out of reach until they are handed out again, so that the
// address sanitizer catches a resbuf or string used after its release.
TEST(Resbuf, KeptBlocksArePoisonedUntilMadeAgain) {
    char* text = static_cast<char*>(malloc(40));
    ASSERT_NE(text, nullptr);
    struct resbuf* rb = ads_newrb(RTSTR);
    ASSERT_NE(rb, nullptr);
    rb->resval.rstring = text;
    ads_relrb(rb);
    EXPECT_TRUE(__asan_address_is_poisoned(rb));
    EXPECT_TRUE(__asan_address_is_poisoned(reinterpret_cast<char*>(rb) + sizeof(struct resbuf) - 1));
    EXPECT_TRUE(__asan_address_is_poisoned(text));
    EXPECT_TRUE(__asan_address_is_poisoned(text + 39));
    struct resbuf* again = ads_newrb(RTSHORT);
    ASSERT_EQ(again, rb);
    EXPECT_EQ(__asan_region_is_poisoned(again, sizeof(struct resbuf)), nullptr);
    char* reused = ads::new_rb_text(std::string(39, 'y'));
    ASSERT_EQ(reused, text);
    EXPECT_EQ(__asan_region_is_poisoned(reused, 40), nullptr);
    ads::release_text(reused);
    ads_relrb(again);
}

// What a thread kept goes back when it ends: a leak check after it ended
// finds none of it.
TEST(Resbuf, AThreadThatEndsLeavesNothingKept) {
    std::thread worker([] {
        for (int i = 0; i < 1000; ++i) ads_relrb(ads_buildlist(RTSTR, "kept text", RTSHORT, 1, RTSTR, "a", 0));
    });
    worker.join();
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
}

TEST(ResbufDeathTest, AResbufReadAfterItsReleaseIsCaught) {
    EXPECT_DEATH(
        {
            struct resbuf* rb = ads_buildlist(RTSHORT, 5, 0);
            ads_relrb(rb);
            volatile short t = rb->restype;
            (void)t;
        },
        "use-after-poison");
}
#endif

TEST(Resbuf, GroupListsConvertBothWays) {
    GroupList list{
        Group{-1, EntityRef{9}}, make_group(0, std::string("LINE")), make_group(8, std::string("A")),
        make_group(10, Point{1, 2, 3}), make_short(62, 5), make_long(90, 100000), make_group(50, 1.5),
        Group{310, Binary{1, 2}}, Group{160, int64_t(1) << 40},
    };
    struct resbuf* rb = ads::to_chain(list, 4);
    EXPECT_EQ(rb->resval.rlname[1], 4) << "names carry the drawing serial";
    auto back = ads::from_chain(rb, 4);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, list);
    EXPECT_FALSE(ads::from_chain(rb, 5).ok()) << "a name from another drawing is rejected";
    ads_relrb(rb);
}

TEST(Resbuf, CallsWithoutASessionFail) {
    ads_name e;
    EXPECT_EQ(ads_entnext(nullptr, e), RTERROR);
    struct resbuf v;
    EXPECT_EQ(ads_getvar("CLAYER", &v), RTERROR);
}

using PrintfTest = cadhost::test::HostTest;

// Messages shorter and longer than any buffer the host keeps for them.
TEST_F(PrintfTest, MessagesOfEveryLengthArriveWhole) {
    for (size_t len : {0u, 1u, 510u, 511u, 512u, 513u, 4000u}) {
        std::string text(len, 'x');
        if (len) text.back() = 'y';
        out.clear();
        EXPECT_EQ(ads_printf("%s|%d", text.c_str(), 7), static_cast<int>(len + 2));
        EXPECT_EQ(out, text + "|7") << len;
        out.clear();
        EXPECT_EQ(ads_printf("%s", text.c_str()), static_cast<int>(len));
        EXPECT_EQ(out, text) << len;
    }
}

// Output that fails is no success: the call answers with an error and the
// failure is said on the command line where it can be.
TEST_F(PrintfTest, OutputThatFailsIsAnErrorAndIsReported) {
    session->set_output([this](std::string_view t) {
        if (t.find("BROKEN") != std::string_view::npos) throw std::runtime_error("the output is gone");
        out += t;
    });
    EXPECT_LT(ads_printf("%s", "BROKEN"), 0);
    EXPECT_LT(ads_printf("%s %d", "BROKEN", 2), 0);
    EXPECT_EQ(ads_prompt("BROKEN"), RTERROR);
    std::string said = "Application call failed: the output is gone\n";
    EXPECT_EQ(out, said + said + said);
    out.clear();
    EXPECT_EQ(ads_printf("%s", "whole"), 5);
    EXPECT_EQ(out, "whole");
}
