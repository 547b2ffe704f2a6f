// EXPLODE run by the host on blocks made with entmake, checked with
// AutoLISP queries of the entities it leaves; coordinates compare exactly
// where the placement is exact (scale 2, a quarter turn).
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Explode : public HostRun {
protected:
    // Runs `input` on a new drawing after the helpers: (g E CODE) a group's
    // value, (one TYPE) the list of the first entity of that type in the
    // previous selection.
    RunResult run_new(const std::string& input) {
        return run("(defun g (e c) (cdr (assoc c e)))\n"
                   "(defun one (ty / s) (if (setq s (ssget \"P\" (list (cons 0 ty)))) (entget (ssname s 0))))\n"
                   "(defun near (a b) (equal a b 1e-12))\n" +
                       input + "QUIT\nY\n",
                   "");
    }
};

// The value printed for the last Lisp expression of the input.
std::string last_value(const std::string& out) {
    auto end = out.rfind("\nCommand: QUIT");
    if (end == std::string::npos) return "";
    auto start = out.rfind('\n', end - 1);
    return out.substr(start + 1, end - start - 1);
}

// A block with its base at 1,0 holding one entity of every kind EXPLODE places.
const std::string kEveryKind =
    "(entmake '((0 . \"BLOCK\") (2 . \"ALL\") (70 . 2) (10 1.0 0.0 0.0)))\n"
    "(entmake '((0 . \"LINE\") (10 1.0 0.0 0.0) (11 3.0 0.0 0.0)))\n"
    "(entmake (list '(0 . \"ARC\") '(10 1.0 0.0 0.0) '(40 . 1.0) '(50 . 0.0) (cons 51 (/ pi 2))))\n"
    "(entmake '((0 . \"CIRCLE\") (10 1.0 1.0 0.0) (40 . 0.5)))\n"
    "(entmake '((0 . \"LWPOLYLINE\") (90 . 2) (70 . 0) (10 1.0 0.0) (40 . 0.1) (41 . 0.2) (42 . 1.0) (10 2.0 0.0)))\n"
    "(entmake '((0 . \"POLYLINE\") (66 . 1) (10 0.0 0.0 0.0) (70 . 0)))\n"
    "(entmake '((0 . \"VERTEX\") (10 1.0 0.0 0.0) (42 . 0.5)))\n"
    "(entmake '((0 . \"VERTEX\") (10 1.0 2.0 0.0)))\n"
    "(entmake '((0 . \"SEQEND\")))\n"
    "(entmake '((0 . \"TEXT\") (10 1.0 0.0 0.0) (40 . 0.5) (1 . \"T1\")))\n"
    "(entmake '((0 . \"ATTDEF\") (10 2.0 1.0 0.0) (40 . 0.5) (1 . \"D\") (2 . \"TAG\") (3 . \"Tag\") (70 . 0)))\n"
    "(entmake '((0 . \"SOLID\") (10 1.0 0.0 0.0) (11 2.0 0.0 0.0) (12 1.0 1.0 0.0) (13 2.0 1.0 0.0)))\n"
    "(entmake '((0 . \"POINT\") (10 2.0 2.0 0.0)))\n"
    "(entmake (list '(0 . \"ELLIPSE\") '(10 1.0 0.0 0.0) '(11 2.0 0.0 0.0) '(40 . 0.5) '(41 . 0.0) (cons 42 pi)))\n"
    "(entmake '((0 . \"ENDBLK\")))\n";

// Block point x,y goes to 10 - 2y, 20 + 2(x - 1): at 10,20, scale 2, turned 90 degrees.
TEST_F(Explode, ATurnedScaledReferenceBecomesItsEntitiesPlacedExactly) {
    RunResult r = run_new(kEveryKind + "ATTREQ\n1\nINSERT\nALL\n10,20\n2\n\n90\nVALUE\nEXPLODE\nL\n\n"
                          "(list (g (one \"LINE\") 10) (g (one \"LINE\") 11))\n"
                          "(setq a (one \"ARC\"))\n(list (g a 10) (g a 40) (near (g a 50) (/ pi 2)) (near (g a 51) pi))\n"
                          "(list (g (one \"CIRCLE\") 10) (g (one \"CIRCLE\") 40))\n"
                          "(setq p (one \"LWPOLYLINE\"))\n"
                          "(setq vs nil)\n(foreach x p (if (member (car x) '(10 40 41 42)) (setq vs (cons (cdr x) vs))))\n(list (reverse vs))\n"
                          "(setq v (entnext (cdr (assoc -1 (one \"POLYLINE\")))))\n"
                          "(list (g (entget v) 10) (g (entget v) 42) (g (entget (entnext v)) 10))\n"
                          "(setq t1 (one \"TEXT\"))\n(list (g t1 10) (g t1 40) (near (g t1 50) (/ pi 2)))\n"
                          "(setq d (one \"ATTDEF\"))\n(list (g d 10) (g d 40) (g d 2) (g d 1))\n"
                          "(setq s (one \"SOLID\"))\n(list (g s 10) (g s 11) (g s 12) (g s 13))\n"
                          "(g (one \"POINT\") 10)\n"
                          "(setq e (one \"ELLIPSE\"))\n(list (g e 10) (g e 11) (g e 40) (g e 41) (near (g e 42) pi))\n"
                          "(list (sslength (ssget \"P\")) (g (entget (entlast)) 0) (ssget \"X\" '((0 . \"INSERT\"))))\n");
    const std::string& o = r.out;
    EXPECT_NE(o.find("((10.0 20.0 0.0) (10.0 24.0 0.0))"), std::string::npos) << o;
    EXPECT_NE(o.find("((10.0 20.0 0.0) 2.0 T T)"), std::string::npos) << "arc turned a quarter\n" << o;
    EXPECT_NE(o.find("((8.0 20.0 0.0) 1.0)"), std::string::npos) << "circle" << o;
    EXPECT_NE(o.find("(((10.0 20.0) 0.2 0.4 1.0 (10.0 22.0)))"), std::string::npos)
        << "vertices, doubled widths, bulge kept\n" << o;
    EXPECT_NE(o.find("((10.0 20.0 0.0) 0.5 (6.0 20.0 0.0))"), std::string::npos) << "old-style polyline" << o;
    EXPECT_NE(o.find("((10.0 20.0 0.0) 1.0 T)"), std::string::npos) << "text" << o;
    EXPECT_NE(o.find("((8.0 22.0 0.0) 1.0 \"TAG\" \"D\")"), std::string::npos) << "the definition again" << o;
    EXPECT_NE(o.find("((10.0 20.0 0.0) (10.0 22.0 0.0) (8.0 20.0 0.0) (8.0 22.0 0.0))"), std::string::npos) << o;
    EXPECT_NE(o.find("(g (one \"POINT\") 10)\n(6.0 22.0 0.0)"), std::string::npos) << o;
    EXPECT_NE(o.find("((10.0 20.0 0.0) (0.0 4.0 0.0) 0.5 0.0 T)"), std::string::npos) << "ellipse" << o;
    EXPECT_EQ(last_value(o), "(10 \"ELLIPSE\" nil)") << "ten made, the last is entlast, no reference left\n" << o;
}

// Under unequal X and Y scales circles and arcs become ellipses; a
// mirror keeps arcs arcs, with their ends exchanged.
TEST_F(Explode, UnevenScalesMakeEllipsesAndMirrorsReverseArcs) {
    RunResult r = run_new("(entmake '((0 . \"BLOCK\") (2 . \"C\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"CIRCLE\") (10 1.0 0.0 0.0) (40 . 1.0)))\n"
                          "(entmake (list '(0 . \"ARC\") '(10 0.0 0.0 0.0) '(40 . 1.0) '(50 . 0.0) (cons 51 (/ pi 2))))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "INSERT\nC\n0,0\n2\n1\n90\nEXPLODE\nL\n\n"
                          "(setq s (ssget \"P\"))\n(setq c (entget (ssname s 0)) a (entget (ssname s 1)))\n"
                          "(list (g c 0) (g c 10) (g c 11) (g c 40) (g c 41) (near (g c 42) (* 2 pi)))\n"
                          "(list (g a 0) (g a 11) (g a 40) (g a 41) (near (g a 42) (/ pi 2)))\n"
                          "INSERT\nC\n0,0\n-1\n1\n0\nEXPLODE\nL\n\n"
                          "(setq a (one \"ARC\"))\n(list (near (g a 50) (/ pi 2)) (near (g a 51) pi) (g a 10))\n");
    const std::string& o = r.out;
    EXPECT_NE(o.find("(\"ELLIPSE\" (0.0 2.0 0.0) (0.0 2.0 0.0) 0.5 0.0 T)"), std::string::npos) << o;
    EXPECT_NE(o.find("(\"ELLIPSE\" (0.0 2.0 0.0) 0.5 0.0 T)"), std::string::npos) << "a quarter ellipse" << o;
    EXPECT_EQ(last_value(o), "(T T (0.0 0.0 0.0))") << o;
}

// Arcs inside polylines cannot follow an uneven scale: the reference
// is kept and said so.
TEST_F(Explode, UnevenScaleOfABulgedPolylineIsRefused) {
    RunResult r = run_new("(entmake '((0 . \"BLOCK\") (2 . \"P\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"LWPOLYLINE\") (90 . 2) (70 . 0) (10 0.0 0.0) (42 . 1.0) (10 2.0 0.0)))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "INSERT\nP\n0,0\n2\n1\n0\nEXPLODE\nL\n\n"
                          "(list (g (entget (entlast)) 0) (ssget \"X\" '((0 . \"LWPOLYLINE\"))))\n");
    EXPECT_NE(r.out.find("Cannot explode non-uniformly scaled arcs in polylines.\n1 object could not be exploded."),
              std::string::npos)
        << r.out;
    EXPECT_EQ(last_value(r.out), "(\"INSERT\" nil)") << r.out;
}

// A reference inside the block stays a reference, placed by both; its
// attributes go with it. Exploding it in turn gives the inner entities
// where the two placements together put them.
TEST_F(Explode, NestedReferencesComposeTheirPlacements) {
    RunResult r = run_new("(entmake '((0 . \"BLOCK\") (2 . \"IN\") (70 . 2) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"LINE\") (10 0.0 0.0 0.0) (11 1.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"ATTDEF\") (10 0.0 1.0 0.0) (40 . 1.0) (1 . \"\") (2 . \"N\") (70 . 0)))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "(entmake '((0 . \"BLOCK\") (2 . \"OUT\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake (list '(0 . \"INSERT\") '(66 . 1) '(2 . \"IN\") '(10 1.0 0.0 0.0) (cons 50 (/ pi 2))))\n"
                          "(entmake (list '(0 . \"ATTRIB\") '(10 0.0 0.0 0.0) '(40 . 1.0) '(1 . \"K7\") '(2 . \"N\") "
                          "'(70 . 0) (cons 50 (/ pi 2))))\n"
                          "(entmake '((0 . \"SEQEND\")))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "INSERT\nOUT\n10,10\n2\n\n90\nEXPLODE\nL\n\n"
                          "(setq i (entget (entlast)))\n"
                          "(list (g i 0) (g i 2) (g i 10) (g i 41) (g i 42) (near (g i 50) pi))\n"
                          "(setq at (entget (entnext (entlast))))\n(list (g at 0) (g at 1) (g at 10) (g at 40))\n"
                          "EXPLODE\nL\n\n(setq l (one \"LINE\"))\n(list (g l 10) (g l 11))\n");
    const std::string& o = r.out;
    EXPECT_NE(o.find("(\"INSERT\" \"IN\" (10.0 12.0 0.0) 2.0 2.0 T)"), std::string::npos) << o;
    EXPECT_NE(o.find("(\"ATTRIB\" \"K7\" (10.0 10.0 0.0) 2.0)"), std::string::npos) << o;
    EXPECT_EQ(last_value(o), "((10.0 12.0 0.0) (8.0 12.0 0.0))") << o;
}

// Entities of layer 0 go to the reference's layer, BYBLOCK colour and
// linetype take the reference's; the others keep their own. A reference
// without a colour leaves BYBLOCK entities BYLAYER.
TEST_F(Explode, LayerZeroAndByblockTakeTheReferences) {
    RunResult r = run_new("LAYER\nM\nSYM\nM\nOWN\nS\nSYM\n\n"
                          "(entmake '((0 . \"BLOCK\") (2 . \"B\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"LINE\") (8 . \"0\") (62 . 0) (6 . \"BYBLOCK\") (10 0.0 0.0 0.0) (11 1.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"CIRCLE\") (8 . \"OWN\") (62 . 1) (10 0.0 0.0 0.0) (40 . 1.0)))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "(entmake '((0 . \"INSERT\") (8 . \"SYM\") (62 . 5) (6 . \"CONTINUOUS\") (2 . \"B\") (10 0.0 0.0 0.0)))\n"
                          "EXPLODE\nL\n\n"
                          "(mapcar '(lambda (e) (list (g e 8) (g e 62) (g e 6))) (list (one \"LINE\") (one \"CIRCLE\")))\n"
                          "(entmake '((0 . \"INSERT\") (8 . \"SYM\") (2 . \"B\") (10 0.0 0.0 0.0)))\n"
                          "EXPLODE\nL\n\n(setq l (one \"LINE\"))\n(list (g l 8) (g l 62) (g l 6))\n");
    EXPECT_NE(r.out.find("((\"SYM\" 5 \"CONTINUOUS\") (\"OWN\" 1 nil))"), std::string::npos) << r.out;
    EXPECT_EQ(last_value(r.out), "(\"SYM\" nil nil)") << r.out;
}

// The reference's attributes go with it; their definitions come back.
TEST_F(Explode, AttributesAreDroppedAndTheirDefinitionsReturn) {
    RunResult r = run_new(kEveryKind + "ATTREQ\n1\nINSERT\nALL\n0,0\n\n\n\nWIRE-9\n"
                          "(g (entget (entnext (entlast))) 1)\nEXPLODE\nL\n\n"
                          "(setq e (entnext) n 0)\n"
                          "(while e (if (member (g (entget e) 0) '(\"ATTRIB\" \"INSERT\")) (setq n (1+ n))) (setq e (entnext e)))\n"
                          "(list n (g (one \"ATTDEF\") 2))\n");
    EXPECT_NE(r.out.find("\n\"WIRE-9\"\n"), std::string::npos) << "the attribute was there\n" << r.out;
    EXPECT_EQ(last_value(r.out), "(0 \"TAG\")") << r.out;
}

// Objects other than references are counted and left as they are.
TEST_F(Explode, OtherObjectsAreReportedAndKept) {
    RunResult r = run_new("LINE\n0,0\n5,0\n\nLINE\n0,3\n5,3\n\n"
                          "(entmake '((0 . \"BLOCK\") (2 . \"B\") (70 . 0) (10 0.0 0.0 0.0)))\n"
                          "(entmake '((0 . \"CIRCLE\") (10 20.0 0.0 0.0) (40 . 1.0)))\n"
                          "(entmake '((0 . \"ENDBLK\")))\n"
                          "(entmake '((0 . \"INSERT\") (2 . \"B\") (10 0.0 0.0 0.0)))\n"
                          "(command \"_.EXPLODE\" (ssget \"X\") \"\")\n"
                          "(list (sslength (ssget \"X\" '((0 . \"LINE\")))) (sslength (ssget \"P\")))\n"
                          "(command \".EXPLODE\" (ssget \"X\" '((0 . \"LINE\"))) \"\")\n");
    EXPECT_NE(r.out.find("2 objects could not be exploded."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(2 1)"), std::string::npos) << "the lines stay; the circle is the previous set\n" << r.out;
    EXPECT_EQ(count(r.out, "objects could not be exploded."), 2u) << r.out;
}

// What EXPLODE made is the previous selection for the next command's
// "Select objects: ", as a selection prompt's own set is.
TEST_F(Explode, PreviousAtTheSelectionPromptTakesWhatWasExploded) {
    RunResult r = run_new(kEveryKind + "ATTREQ\n0\nLINE\n50,50\n60,50\n\nINSERT\nALL\n0,0\n\n\n\n"
                          "EXPLODE\nL\n\nERASE\nP\n\n(sslength (ssget \"X\"))\n"
                          "ERASE\nL\n\nERASE\nP\n\n(ssget \"X\")\n");
    EXPECT_NE(r.out.find("Select objects: P\n10 found\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(sslength (ssget \"X\"))\n1\n"), std::string::npos) << "the line stays\n" << r.out;
    EXPECT_NE(r.out.find("Select objects: P\n0 found\n"), std::string::npos) << "erased ones are left out\n" << r.out;
}

// Inside an undo group EXPLODE goes back with the rest of the group.
TEST_F(Explode, UndoOfAGroupBringsTheReferenceBack) {
    RunResult r = run_new(kEveryKind + "ATTREQ\n0\nINSERT\nALL\n0,0\n\n\n\n"
                          "UNDO\nBE\nEXPLODE\nL\n\nUNDO\nE\n(sslength (ssget \"X\"))\nU\n"
                          "(list (sslength (ssget \"X\")) (g (entget (entlast)) 0))\n");
    EXPECT_NE(r.out.find("(sslength (ssget \"X\"))\n10"), std::string::npos) << "exploded\n" << r.out;
    EXPECT_EQ(last_value(r.out), "(1 \"INSERT\")") << r.out;
}

// The block's first entity, as tblsearch gives it, leads through its
// entities with entnext, sub-entities included, to the end of the block.
TEST_F(Explode, TblsearchGivesTheFirstEntityOfTheBlockToWalkFrom) {
    RunResult r = run_new(kEveryKind +
                          "(setq e (cdr (assoc -2 (tblsearch \"BLOCK\" \"ALL\"))) l nil)\n"
                          "(while e (setq l (cons (g (entget e) 0) l) e (entnext e)))\n(reverse l)\n");
    EXPECT_EQ(last_value(r.out), "(\"LINE\" \"ARC\" \"CIRCLE\" \"LWPOLYLINE\" \"POLYLINE\" \"VERTEX\" \"VERTEX\" "
                                 "\"SEQEND\" \"TEXT\" \"ATTDEF\" \"SOLID\" \"POINT\" \"ELLIPSE\")")
        << r.out;
}

}  // namespace
