// External references: XREF attaches a drawing as a block flagged as one,
// saving keeps the flag and path but not the entities, reading resolves
// them from the file, and references that are missing or circular are
// reported without losing them or looping.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Xrefs : public HostRun {
protected:
    // Runs python with ezdxf on a script in the scratch folder; its output.
    std::string python(const std::string& script) {
        write("script.py", "import ezdxf\n" + script);
        return test_tools::command_output("cd '" + dir.string() + "' && /usr/bin/python3 script.py 2>&1").out;
    }
    bool have_ezdxf() { return python("print('ok')") == "ok\n"; }
    // A drawing with a circle of radius 2 and a line on layer SYM, base 1,1.
    void write_symbol(const std::string& file) {
        python("d = ezdxf.new('R2000'); m = d.modelspace()\n"
               "m.add_circle((0, 0), 2); m.add_line((0, 0), (5, 0), dxfattribs={'layer': 'SYM'})\n"
               "d.header['$INSBASE'] = (1, 1, 0)\nd.saveas('" + file + "')\n");
    }
    // A drawing with a circle of radius `r` and an external reference to `target`.
    void write_referring(const std::string& file, const std::string& name, const std::string& target, int r) {
        python("d = ezdxf.new('R2000'); m = d.modelspace(); m.add_circle((0, 0), " + std::to_string(r) + ")\n" +
               "d.add_xref_def('" + target + "', '" + name + "'); m.add_blockref('" + name + "', (0, 0))\n" +
               "d.saveas('" + file + "')\n");
    }
    static std::string after(const std::string& out, const std::string& expr) {
        auto at = out.find(expr + "\n");
        if (at == std::string::npos) return "";
        at += expr.size() + 1;
        return out.substr(at, out.find('\n', at) - at);
    }
    // Runs the host from a subfolder of the scratch folder on `drawing`.
    std::string run_from(const std::string& sub, const std::string& input, const std::string& drawing) {
        write("input.txt", input);
        std::string cmd = "cd '" + (dir / sub).string() + "' && '" CH_CADHOST "' --drive C='" + dir.string() + "' '" +
                          drawing + "' < ../input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    static constexpr const char* kAttach = "XREF\n\nB\n10,10\n2\n\n90\n";
};

TEST_F(Xrefs, AttachSavesTheFlagAndPathAndReadingResolvesTheEntities) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    write_symbol("B.dxf");
    RunResult r = run(std::string(kAttach) + "(cdr (assoc 70 (tblsearch \"BLOCK\" \"B\")))\nQSAVE\nQUIT\n", "IN.DXF");
    EXPECT_NE(r.out.find("Attach Xref B: B.dxf\nB loaded.\n"), std::string::npos) << r.out;
    EXPECT_EQ(after(r.out, "(cdr (assoc 70 (tblsearch \"BLOCK\" \"B\")))"), "4") << r.out;
    std::string seen = python(
        "d = ezdxf.readfile('IN.DXF'); b = d.blocks.get('B')\n"
        "i = [e for e in d.modelspace().query('INSERT') if e.dxf.name == 'B'][0]\n"
        "print(b.block.dxf.flags, b.block.dxf.xref_path, len(b), b.block_record is not None)\n"
        "print(tuple(i.dxf.insert), i.dxf.xscale, i.dxf.yscale, round(i.dxf.rotation))\n"
        "print('audit', len(d.audit().errors))\n");
    EXPECT_EQ(seen, "4 B.dxf 0 True\n(10.0, 10.0, 0.0) 2.0 2.0 90\naudit 0\n") << "no entities inside the BLOCK\n"
                                                                         << r.out;

    RunResult again = run("(setq e (cdr (assoc -2 (tblsearch \"BLOCK\" \"B\"))))\n(cdr (assoc 0 (entget e)))\n"
                          "(cdr (assoc 0 (entget (entnext e))))\n(cdr (assoc 10 (tblsearch \"BLOCK\" \"B\")))\n"
                          "EXPLODE\nL\n\n(sslength (ssget \"X\" '((0 . \"CIRCLE\") (40 . 4.0))))\nQUIT\nY\n",
                          "IN.DXF");
    EXPECT_EQ(again.out.find("cannot find"), std::string::npos) << again.out;
    EXPECT_EQ(after(again.out, "(cdr (assoc 0 (entget e)))"), "\"CIRCLE\"") << again.out;
    EXPECT_EQ(after(again.out, "(cdr (assoc 0 (entget (entnext e))))"), "\"LINE\"") << again.out;
    EXPECT_EQ(after(again.out, "(cdr (assoc 10 (tblsearch \"BLOCK\" \"B\")))"), "(1.0 1.0 0.0)") << "the file's base";
    EXPECT_EQ(after(again.out, "(sslength (ssget \"X\" '((0 . \"CIRCLE\") (40 . 4.0))))"), "1")
        << "the insert explodes into what it references\n" << again.out;
}

TEST_F(Xrefs, ReloadAndUndoKeepTheEntities) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    write_symbol("B.dxf");
    const std::string first = "(cdr (assoc 0 (entget (cdr (assoc -2 (tblsearch \"BLOCK\" \"B\"))))))";
    RunResult r = run(std::string(kAttach) + "UNDO\nBE\nLINE\n0,0\n1,1\n\nUNDO\nE\nU\n" + first + "\nXREF\nR\nb\n" + first +
                          "\nXREF\nR\nNOSUCH\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(after(r.out, first), "\"CIRCLE\"") << "undo reads the drawing back with its reference resolved\n" << r.out;
    EXPECT_NE(r.out.find("Reload Xref B: B.dxf\nB loaded.\n"), std::string::npos) << r.out;
    EXPECT_EQ(count(r.out, first + "\n\"CIRCLE\""), 2u) << r.out;
    EXPECT_NE(r.out.find("No matching Xref names found.\n"), std::string::npos) << r.out;
}

TEST_F(Xrefs, AMissingFileIsNamedAndTheReferenceIsKept) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    write_symbol("B.dxf");
    run(std::string(kAttach) + "QSAVE\nQUIT\n", "IN.DXF");
    std::filesystem::remove(dir / "B.dxf");
    RunResult r = run("(cdr (assoc 1 (tblsearch \"BLOCK\" \"B\")))\nQSAVE\nQUIT\n", "IN.DXF");
    EXPECT_NE(r.out.find("Xref B: cannot find \"B.dxf\""), std::string::npos) << r.out;
    EXPECT_EQ(after(r.out, "(cdr (assoc 1 (tblsearch \"BLOCK\" \"B\")))"), "\"B.dxf\"") << r.out;
    std::string seen = python("d = ezdxf.readfile('IN.DXF'); b = d.blocks.get('B')\n"
                              "print(b.block.dxf.flags, b.block.dxf.xref_path, len(d.modelspace().query('INSERT[name==\"B\"]')))\n");
    EXPECT_EQ(seen, "4 B.dxf 1\n") << "saved again with its flag, path and insert";
    RunResult attach = run("XREF\n\nNOSUCH\n(tblsearch \"BLOCK\" \"NOSUCH\")\nQUIT\n", "IN.DXF");
    EXPECT_NE(attach.out.find("\"NOSUCH.dxf\": Can't find file.\n"), std::string::npos) << attach.out;
    EXPECT_EQ(after(attach.out, "(tblsearch \"BLOCK\" \"NOSUCH\")"), "nil") << attach.out;
}

TEST_F(Xrefs, APathIsFoundRelativeToTheDrawingThenThroughDrives) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    std::filesystem::create_directories(dir / "Lib");
    write_symbol("Lib/Sym.dxf");
    RunResult r = run("XREF\n\nLIB\\SYM\n0,0\n\n\n\nXREF\n\nC:\\lib\\sym.DXF\n5,5\n\n\n\n"
                      "(length (tblsearch \"BLOCK\" \"SYM\"))\nXREF\n?\n\nQSAVE\nQUIT\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("SYM loaded.\n"), std::string::npos) << "relative, any case\n" << r.out;
    EXPECT_NE(r.out.find("Xref SYM has already been loaded.\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("SYM  LIB\\SYM.dxf\nTotal Xref(s): 1\n"), std::string::npos) << r.out;
    // Opened from elsewhere, the relative path still starts at the drawing's folder.
    std::filesystem::create_directories(dir / "away");
    std::string away = run_from("away", "(cdr (assoc 0 (entget (cdr (assoc -2 (tblsearch \"BLOCK\" \"SYM\"))))))\nQUIT\n",
                                "../IN.DXF");
    EXPECT_EQ(after(away, "(cdr (assoc 0 (entget (cdr (assoc -2 (tblsearch \"BLOCK\" \"SYM\"))))))"), "\"CIRCLE\"")
        << away;
}

TEST_F(Xrefs, ANameClashWithAnOrdinaryBlockIsRefused) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    write_symbol("TERMINAL.dxf");
    RunResult r = run("(setq before (tblsearch \"BLOCK\" \"TERMINAL\"))\nXREF\n\nTERMINAL\n"
                      "(equal before (tblsearch \"BLOCK\" \"TERMINAL\"))\nQUIT\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Xref TERMINAL: a block of that name is defined in this drawing; not attached.\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(after(r.out, "(equal before (tblsearch \"BLOCK\" \"TERMINAL\"))"), "T") << r.out;
    EXPECT_EQ(r.out.find("Insertion point"), std::string::npos) << r.out;
}

TEST_F(Xrefs, CircularReferencesAreReportedAndLeftOut) {
    if (!have_ezdxf()) GTEST_SKIP() << "no ezdxf";
    write_referring("B.dxf", "IN", "IN.DXF", 3);  // back to the drawing itself
    write_referring("X.dxf", "Y", "Y.dxf", 4);
    write_referring("Y.dxf", "X", "X.dxf", 5);    // X and Y refer to each other
    RunResult r = run("XREF\n\nB\n0,0\n\n\n\nXREF\n\nX\n0,0\n\n\n\n"
                      "(mapcar '(lambda (n / b) (if (setq b (tblsearch \"BLOCK\" n)) (logand 4 (cdr (assoc 70 b))))) '(\"B\" \"X\" \"Y\" \"IN\"))\n"
                      "(cdr (assoc 0 (entget (entnext (cdr (assoc -2 (tblsearch \"BLOCK\" \"X\")))))))\n"
                      "(entnext (cdr (assoc -2 (tblsearch \"BLOCK\" \"Y\"))))\nQSAVE\nQUIT\n",
                      "IN.DXF");
    EXPECT_EQ(count(r.out, "(circular reference)"), 2u) << r.out;
    EXPECT_NE(r.out.find("Xref IN: \"IN.DXF\" refers back"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Xref X: \"X.dxf\" refers back"), std::string::npos) << r.out;
    EXPECT_EQ(after(r.out, "(mapcar '(lambda (n / b) (if (setq b (tblsearch \"BLOCK\" n)) (logand 4 (cdr (assoc 70 b))))) '(\"B\" \"X\" \"Y\" \"IN\"))"),
              "(4 4 4 nil)")
        << r.out;
    EXPECT_EQ(after(r.out, "(cdr (assoc 0 (entget (entnext (cdr (assoc -2 (tblsearch \"BLOCK\" \"X\")))))))"),
              "\"INSERT\"")
        << "X: its circle, then Y\n" << r.out;
    EXPECT_EQ(after(r.out, "(entnext (cdr (assoc -2 (tblsearch \"BLOCK\" \"Y\"))))"), "nil")
        << "Y: its circle only\n" << r.out;
    RunResult reopened = run("QUIT\n", "IN.DXF");
    EXPECT_EQ(reopened.status, 0) << reopened.out;
    EXPECT_NE(reopened.out.find("(circular reference)"), std::string::npos) << reopened.out;
}

}  // namespace
