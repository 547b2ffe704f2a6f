// Library files on the host's file layer: reading into the library list,
// writing with a backup, and failures that must leave the previous file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fs/faults.h"
#include "host/module_state.h"
#include "library/library_file.h"
#include "library/library_format.h"

namespace fs = std::filesystem;

namespace symvault {
namespace {

// Drive C of the file layer is $XDG_DATA_HOME/cadhost/C; it is chosen when
// the layer is first used, so the variable is set before any test runs.
const fs::path kHome = fs::temp_directory_path() / ("symvault-files-" + std::to_string(getpid()));
const int kHomeSet = setenv("XDG_DATA_HOME", kHome.c_str(), 1);

class LibraryFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(kHomeSet, 0);
        fs::remove_all(kHome);
        dir = kHome / "cadhost" / "C" / "SYMVAULT" / "LIBRARY";
        fs::create_directories(dir);
        reset_module_state();
    }
    void TearDown() override {
        reset_module_state();
        fs::remove_all(kHome);
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
    }
    std::string slurp(const std::string& name) const {
        std::ifstream f(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    static LibraryRecord library(const std::string& description) {
        LibraryRecord lib;
        lib.name = "ELEC";
        lib.description = description;
        GroupRecord& g = insert_group_sorted(lib, "Coils");
        SymbolRecord s;
        s.name = "RLCOIL";
        s.description = "Relay coil";
        g.symbols.push_back(s);
        return lib;
    }
    static std::string text_of(const LibraryRecord& lib) {
        std::string s;
        for (const auto& l : library_lines(lib)) s += l + "\n";
        return s;
    }
    fs::path dir;
};

TEST_F(LibraryFiles, WrittenFileReadsBackIntoTheList) {
    LibraryRecord lib = library("First");
    ASSERT_EQ(write_library(lib), 1);
    EXPECT_EQ(slurp("ELEC.SVF"), text_of(lib)) << "line ends are single line feeds";
    EXPECT_FALSE(fs::exists(dir / "ELEC.BAK")) << "no previous file, no backup";
    EXPECT_FALSE(fs::exists(dir / "ELEC.SV$"));
    ASSERT_EQ(read_library("elec", 0, WARN_IF_MISSING), 1) << "names resolve without regard to case";
    ASSERT_EQ(sv().libraries.size(), 1u);
    LibraryRecord& back = *sv().libraries.back();
    back.name = "ELEC";
    EXPECT_EQ(text_of(back), text_of(lib));
}

TEST_F(LibraryFiles, TheBackupHoldsThePreviousFile) {
    ASSERT_EQ(write_library(library("First")), 1);
    std::string first = slurp("ELEC.SVF");
    ASSERT_EQ(write_library(library("Second")), 1);
    EXPECT_EQ(slurp("ELEC.BAK"), first);
    EXPECT_NE(slurp("ELEC.SVF").find("\nSecond\n"), std::string::npos);
    ASSERT_EQ(write_library(library("Third")), 1);
    EXPECT_NE(slurp("ELEC.BAK").find("\nSecond\n"), std::string::npos) << "an older backup is replaced";
}

TEST_F(LibraryFiles, AFileThatCannotBeCreatedLeavesThePreviousOne) {
    ASSERT_EQ(write_library(library("First")), 1);
    std::string first = slurp("ELEC.SVF");
    fs::create_directory(dir / "ELEC.SV$");  // the new file cannot be made
    EXPECT_EQ(write_library(library("Second")), 0);
    EXPECT_EQ(slurp("ELEC.SVF"), first);
    EXPECT_EQ(error_code(), 0) << "reported and cleared";
}

TEST_F(LibraryFiles, NoBackupMeansNothingIsWritten) {
    ASSERT_EQ(write_library(library("First")), 1);
    std::string first = slurp("ELEC.SVF");
    fs::create_directory(dir / "ELEC.BAK");
    EXPECT_EQ(write_library(library("Second")), 0);
    EXPECT_EQ(slurp("ELEC.SVF"), first);
    EXPECT_FALSE(fs::exists(dir / "ELEC.SV$"));
}

TEST_F(LibraryFiles, WindowsLineEndsAndLongLinesOfAHandWrittenFile) {
    std::string editor(200, 'x');
    write("PUMPS.SVF",
          "***SYMVAULT\r\nPumps\r\n***SHOW_LIBRARY\r\n***PARAMETRIC_EDITOR=" + editor +
              "\r\n***BEGIN_LIBRARY\r\n**Pumps\r\n*SYMBOL=P1\r\n***END_SYMBOLS\r\n***BEGIN_SCALE_OPTIONS\r\n"
              "***END_SCALE_OPTIONS\r\n***END_SYMVAULT_LIBRARY\r\n");
    ASSERT_EQ(read_library("PUMPS", 0, NO_WARNING), 1);
    const LibraryRecord& lib = *sv().libraries.back();
    EXPECT_EQ(lib.version, 0);
    EXPECT_EQ(lib.description, "Pumps");
    EXPECT_EQ(lib.parametric_editor, editor);
    ASSERT_EQ(lib.groups.size(), 1u);
    EXPECT_EQ(lib.groups[0].symbols[0].name, "P1");
}

// A line may be long, but not without end: reading stops at the bound.
TEST(LibraryLines, ALineBeyondTheBoundIsCutThere) {
    FILE* f = tmpfile();
    ASSERT_NE(f, nullptr);
    std::string longest(kMaxLineChars - 1, 'a');
    fputs(("abc\n" + longest + "\n" + std::string(kMaxLineChars + 10, 'b') + "\n").c_str(), f);
    rewind(f);
    std::string line;
    EXPECT_EQ(read_library_line(f, line), LineRead::LINE);
    EXPECT_EQ(line, "abc\n");
    EXPECT_EQ(read_library_line(f, line), LineRead::LINE);
    EXPECT_EQ(line, longest + "\n") << "a line of the bound with its line feed is whole";
    EXPECT_EQ(read_library_line(f, line), LineRead::TOO_LONG);
    EXPECT_EQ(line, std::string(kMaxLineChars, 'b'));
    fclose(f);
    f = tmpfile();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(read_library_line(f, line), LineRead::END);
    fputs("last", f);
    rewind(f);
    EXPECT_EQ(read_library_line(f, line), LineRead::LINE);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(read_library_line(f, line), LineRead::END);
    fclose(f);
}

TEST_F(LibraryFiles, AFileWithALineWithoutEndIsRefusedAtTheBound) {
    ASSERT_EQ(write_library(library("Good")), 1);
    ASSERT_EQ(read_library("ELEC", 0, NO_WARNING), 1);
    const std::string endless(8 * kMaxLineChars, 'x');
    write("FIRST.SVF", "***SYMVAULT=2" + endless);
    write("DESC.SVF", "***SYMVAULT=2\n" + endless);
    // A whole library but for one line beyond the bound is refused too.
    const std::string tail = "\n***END_SYMBOLS\n***BEGIN_SCALE_OPTIONS\n***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n";
    const std::string head = "***SYMVAULT=2\nLong\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n**G\n*SYMBOL=";
    write("LATER.SVF", head + std::string(kMaxLineChars, 'x') + tail);
    for (const char* name : {"FIRST", "DESC", "LATER"}) {
        EXPECT_EQ(read_library(name, 0, NO_WARNING), 0) << name;
        ASSERT_EQ(sv().libraries.size(), 1u) << name;
        EXPECT_EQ(error_code(), 0) << name << ": reported when found";
    }
    // Just within the bound the same file reads.
    write("WITHIN.SVF", head + std::string(kMaxLineChars - 9, 'x') + tail);
    EXPECT_EQ(read_library("WITHIN", 0, NO_WARNING), 1);
    ASSERT_EQ(sv().libraries.size(), 2u);
    EXPECT_EQ(sv().libraries[1]->groups.at(0).symbols.size(), 1u);
}

TEST_F(LibraryFiles, FailedReadsLeaveTheListAsItWas) {
    ASSERT_EQ(write_library(library("Good")), 1);
    ASSERT_EQ(read_library("ELEC", 0, NO_WARNING), 1);
    write("NEWER.SVF", "***SYMVAULT=3\nFrom the future\n");
    write("NOTLIB.SVF", "Just some text\n");
    write("BROKEN.SVF", "***SYMVAULT=2\nBroken\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n*SYMBOL=ORPHAN\n");
    write("CUT.SVF", "***SYMVAULT=2\nCut short\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n**G\n*SYMBOL=A\n");
    for (const char* name : {"MISSING", "NEWER", "NOTLIB", "BROKEN", "CUT"}) {
        EXPECT_EQ(read_library(name, 0, NO_WARNING), 0) << name;
        ASSERT_EQ(sv().libraries.size(), 1u) << name;
        EXPECT_EQ(sv().libraries[0]->name, "ELEC");
        EXPECT_EQ(error_code(), 0) << name << ": errors are reported when they happen";
    }
}

}  // namespace
}  // namespace symvault

namespace symvault {
namespace {

// Every step of writing over a library fails in turn: each write, each
// close and each rename. Each failure is reported (the code is cleared once
// shown) and leaves the previous file as it was; once the planned step lies beyond the writer's
// last, the write succeeds.
TEST_F(LibraryFiles, AFailureAtAnyStepLeavesThePreviousFile) {
    using cadhost::fs::FaultPlan;
    struct Step {
        const char* what;
        int FaultPlan::*field;
    } steps[] = {{"write", &FaultPlan::write}, {"close", &FaultPlan::close}, {"rename", &FaultPlan::rename}};
    for (const Step& step : steps) {
        int failures = 0;
        for (int n = 1; n < 200; ++n) {
            SCOPED_TRACE(std::string(step.what) + " " + std::to_string(n));
            fs::remove_all(dir);
            fs::create_directories(dir);
            ASSERT_EQ(write_library(library("Older")), 1);
            std::string older = slurp("ELEC.SVF");
            ASSERT_EQ(write_library(library("Before")), 1);
            std::string before = slurp("ELEC.SVF");
            LibraryRecord after = library("After");
            FaultPlan plan;
            plan.*step.field = n;
            cadhost::fs::set_fault_plan(plan);
            int ok = write_library(after);
            FaultPlan seen = cadhost::fs::fault_counts();
            cadhost::fs::clear_fault_plan();
            if (seen.*step.field < n) {
                EXPECT_EQ(ok, 1);
                EXPECT_EQ(slurp("ELEC.SVF"), text_of(after));
                break;
            }
            ++failures;
            EXPECT_EQ(ok, 0);
            EXPECT_EQ(error_code(), 0) << "reported and cleared";
            EXPECT_EQ(slurp("ELEC.SVF"), before);
            EXPECT_FALSE(fs::exists(dir / "ELEC.SV$")) << "the half-written file is removed";
            std::string backup = slurp("ELEC.BAK");
            EXPECT_TRUE(backup == older || backup == before) << "the backup is never cut short: " << backup;
            EXPECT_FALSE(fs::exists(dir / "ELEC.BAK$"));
        }
        EXPECT_GT(failures, 0) << step.what << ": the writer never reached this step";
    }
}

}  // namespace
}  // namespace symvault
