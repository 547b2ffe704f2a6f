// A block definition that fails part way is dropped whole: what is made
// afterwards goes where it would have gone had the definition never begun.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class BlockDefinition : public HostRun {
protected:
    static std::string after(const std::string& out, const std::string& expr) {
        auto at = out.find(expr + "\n");
        if (at == std::string::npos) return "";
        at += expr.size() + 1;
        return out.substr(at, out.find('\n', at) - at);
    }
    static constexpr const char* kLinesInModelSpace = "(sslength (ssget \"X\" '((0 . \"LINE\") (8 . \"AFTER\"))))";
};

TEST_F(BlockDefinition, EntmakeOfAnEntityTheDefinitionCannotTakeDropsTheDefinition) {
    RunResult r = run("(entmake '((0 . \"BLOCK\") (2 . \"HALF\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                      "(entmake '((0 . \"LINE\") (10 0.0 0.0 0.0)))\n"
                      "(entmake '((0 . \"LINE\") (8 . \"AFTER\") (10 0.0 0.0 0.0) (11 1.0 1.0 0.0)))\n"
                      "(entmake '((0 . \"ENDBLK\")))\n(tblsearch \"BLOCK\" \"HALF\")\n" +
                          std::string(kLinesInModelSpace) +
                          "\n(entmake '((0 . \"BLOCK\") (2 . \"WHOLE\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"BLOCK\") (2 . \"INNER\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(list (tblsearch \"BLOCK\" \"WHOLE\") (entmake '((0 . \"ENDBLK\"))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(after(r.out, "(entmake '((0 . \"LINE\") (10 0.0 0.0 0.0)))"), "nil") << r.out;
    EXPECT_EQ(after(r.out, "(entmake '((0 . \"ENDBLK\")))"), "nil") << "no definition is open any more\n" << r.out;
    EXPECT_EQ(after(r.out, "(tblsearch \"BLOCK\" \"HALF\")"), "nil") << r.out;
    EXPECT_EQ(after(r.out, kLinesInModelSpace), "1") << "the next line went to model space\n" << r.out;
    EXPECT_EQ(after(r.out, "(list (tblsearch \"BLOCK\" \"WHOLE\") (entmake '((0 . \"ENDBLK\"))))"), "(nil nil)")
        << "a BLOCK inside a definition drops it too\n" << r.out;
}

// An entity on a layer whose name a layer cannot have (as another program
// may write it) cannot be copied into a block.
TEST_F(BlockDefinition, InsertOfAFileThatCannotBeCopiedLeavesNoDefinitionOpen) {
    write("BAD.DXF", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n"
                     "  0\nLINE\n  8\nNO<GOOD\n 10\n0\n 20\n0\n 30\n0\n 11\n2\n 21\n2\n 31\n0\n"
                     "  0\nENDSEC\n  0\nEOF\n");
    RunResult r = run("INSERT\nBAD\nLINE\n0,0\n3,3\n\n(cdr (assoc 330 (entget (entlast))))\n(tblsearch \"BLOCK\" \"BAD\")\n"
                      "(entmake '((0 . \"LINE\") (8 . \"AFTER\") (10 0.0 0.0 0.0) (11 1.0 1.0 0.0)))\n" +
                          std::string(kLinesInModelSpace) + "\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Cannot define block BAD: cannot copy LINE into block BAD"), std::string::npos) << r.out;
    EXPECT_EQ(after(r.out, "(tblsearch \"BLOCK\" \"BAD\")"), "nil") << r.out;
    EXPECT_EQ(after(r.out, kLinesInModelSpace), "1") << "made in model space, not in the half-made block\n" << r.out;
    EXPECT_EQ(r.out.find("Insertion point"), std::string::npos) << r.out;
}

}  // namespace
