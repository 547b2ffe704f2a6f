// Case-insensitive lookups with remembered folder listings, checked against
// a fresh lookup done the plain way through changes to the folder.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "fs/filelayer.h"
#include "fs/folder_listings.h"

using namespace cadhost::fs;
namespace stdfs = std::filesystem;

namespace {

class Listings : public ::testing::Test {
protected:
    void SetUp() override {
        dir = (stdfs::temp_directory_path() / ("ch_listings_" + std::to_string(getpid()))).string();
        stdfs::remove_all(dir);
        stdfs::create_directories(dir);
    }
    void TearDown() override { stdfs::remove_all(dir); }
    // Moves the folder's modification time into the past, as for a folder
    // nobody has touched for a while; each call to a time of its own.
    void settle() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        timespec times[2] = {{now.tv_sec - 60, 0}, {now.tv_sec - 60, static_cast<long>(++m_settles)}};
        ASSERT_EQ(utimensat(AT_FDCWD, dir.c_str(), times, 0), 0);
    }
    void touch(const std::string& name) { std::ofstream(dir + "/" + name) << "x"; }

    std::string dir;

private:
    long m_settles = 0;
};

// The lookup done afresh: exact spelling, else the first case variant in
// byte order.
std::optional<std::string> reference(const std::string& dir, const std::string& name) {
    std::vector<std::string> found;
    for (const auto& e : stdfs::directory_iterator(dir)) {
        std::string n = e.path().filename().string();
        if (n == name) return name;
        if (upper_ascii(n) == upper_ascii(name)) found.push_back(n);
    }
    if (found.empty()) return std::nullopt;
    return *std::min_element(found.begin(), found.end());
}

}  // namespace

TEST_F(Listings, AnswerAsAFreshLookupThroughCreationsRemovalsAndRenames) {
    const std::vector<std::string> spellings = {"plan.dxf", "Plan.dxf", "PLAN.DXF", "plan.DXF", "pLaN.dXf",
                                                "notes.txt", "Notes.TXT", "sheet1.dxf", "SHEET1.dxf"};
    std::mt19937 rng(17);
    FolderListings listings;
    size_t compared = 0;
    for (int step = 0; step < 400; ++step) {
        const std::string& a = spellings[rng() % spellings.size()];
        const std::string& b = spellings[rng() % spellings.size()];
        switch (rng() % 3) {
        case 0: touch(a); break;
        case 1: stdfs::remove(dir + "/" + a); break;
        default:
            if (stdfs::exists(dir + "/" + a) && !stdfs::exists(dir + "/" + b)) stdfs::rename(dir + "/" + a, dir + "/" + b);
            break;
        }
        // Mostly a folder left alone since its last change, so that the
        // remembered listing is the one answering.
        if (rng() % 4 != 0) settle();
        for (int ask = 0; ask < 3; ++ask) {
            std::string q = spellings[rng() % spellings.size()];
            if (rng() % 2) q = upper_ascii(q);
            if (rng() % 3 == 0)
                for (char& c : q) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            ASSERT_EQ(listings.spelling(dir, q), reference(dir, q)) << "step " << step << " asking " << q;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 1200u);
    // Coverage: the remembered listings answered often, and changes made
    // new listings.
    EXPECT_GT(listings.hits(), 100u);
    EXPECT_GT(listings.listings(), 100u);
}

TEST_F(Listings, AFolderOfManyFilesIsListedOnceOrNotAtAll) {
    for (int i = 0; i < 2000; ++i) touch("sheet" + std::to_string(i) + ".dxf");
    for (int i = 0; i < 100; ++i) touch("UPPER" + std::to_string(i) + ".DXF");
    settle();
    FolderListings listings;
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(listings.spelling(dir, "SHEET" + std::to_string(i) + ".DXF"), "sheet" + std::to_string(i) + ".dxf");
    EXPECT_EQ(listings.listings(), 1u);
    EXPECT_EQ(listings.hits(), 1999u);
    // Names kept in upper case on disk are found without listing.
    listings.clear();
    for (int i = 0; i < 100; ++i) ASSERT_EQ(listings.spelling(dir, "upper" + std::to_string(i) + ".dxf"), "UPPER" + std::to_string(i) + ".DXF");
    EXPECT_EQ(listings.listings(), 0u);
    EXPECT_FALSE(listings.spelling(dir, "missing.dxf"));
}

TEST_F(Listings, AFolderJustChangedIsListedAgainEachTime) {
    touch("a.dxf");
    FolderListings listings;
    EXPECT_EQ(listings.spelling(dir, "A.DXF"), "a.dxf");
    EXPECT_EQ(listings.spelling(dir, "A.DXF"), "a.dxf");
    EXPECT_EQ(listings.hits(), 0u) << "a listing of a folder changed this very moment is not kept";
    touch("A.dxf");
    EXPECT_EQ(listings.spelling(dir, "A.DXF"), "A.dxf");
    EXPECT_FALSE(listings.spelling(dir + "/nope", "A.DXF"));
}

TEST_F(Listings, TheFileLayerResolvesThroughThem) {
    FileLayer layer;
    layer.map_drive('C', dir);
    stdfs::create_directories(dir + "/Project");
    touch("Project/demo001.dxf");
    settle();
    EXPECT_EQ(layer.resolve("C:\\PROJECT\\DEMO001.DXF"), dir + "/Project/demo001.dxf");
    EXPECT_EQ(layer.resolve("C:\\PROJECT\\DEMO001.DXF"), dir + "/Project/demo001.dxf");
    EXPECT_GT(layer.listings().hits(), 0u);
    touch("Project/DEMO001.dxf");
    EXPECT_EQ(layer.resolve("C:\\PROJECT\\DEMO001.DXF"), dir + "/Project/DEMO001.dxf") << "a new, earlier spelling is seen";
}
