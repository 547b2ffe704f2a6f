#!/usr/bin/env python3
"""Writes the committed seed inputs of each fuzz target into
fuzz/corpus/<target>/seed-*: the project's own files of that kind and the
malformed cases the tests use. The slide library seeds (binary, written by
the library writer) are committed as they are and not rewritten here.
Usage: make_seeds.py"""
import glob
import os
import shutil
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)


def out(target):
    d = os.path.join(here, "corpus", target)
    os.makedirs(d, exist_ok=True)
    return d


def copy(target, pattern):
    for p in sorted(glob.glob(os.path.join(root, pattern), recursive=True)):
        shutil.copyfile(p, os.path.join(out(target), "seed-" + os.path.basename(p).lower()))


def write(target, cases):
    for name, text in cases.items():
        data = text if isinstance(text, bytes) else text.encode("latin-1")
        with open(os.path.join(out(target), "seed-" + name), "wb") as f:
            f.write(data)


def main():
    subprocess.run([sys.executable, os.path.join(here, "make_corpus.py"), out("dxf")], check=True)
    for p in glob.glob(os.path.join(out("dxf"), "*.dxf")):
        if not os.path.basename(p).startswith("seed-"):
            os.replace(p, os.path.join(out("dxf"), "seed-" + os.path.basename(p)))

    copy("lisp", "support/**/*.[lL][sS][pP]")
    write("lisp", {
        "reader.lsp": "42 -7 +5 2147483648 1. .5 1e3 1+ abc nil () t 'x (1 . 2) (1 2 . 3) (a .b)\n"
                      "((1 2) (3 (4))) \"a\\\\b\" \"say \\\"hi\\\"\" \"\\101\\102C\" \"\\e\" \"\\q\"\n",
        "errors.lsp": "(defun two (a b) a) (two 1) (/ 1 0) (defun *error* (msg) (princ (strcat \"[\" msg \"]\")))\n"
                      "(car 1) (exit)\n",
        "recursion.lsp": "(defun down () (down)) (down)\n",
        "loops.lsp": "(setq i 0 s \"\") (while (< i 10) (setq i (1+ i) s (strcat s \"ab\")))\n"
                     "(repeat 3 (setq l (cons i l))) (foreach x l (princ x)) (mapcar '1+ l)\n"
                     "(apply '+ l) (lambda (x) x) ((lambda (x / y) (setq y x)) 2)\n",
        "unclosed.lsp": "(defun f (x)\n  (+ x 1\n",
        "extra_paren.lsp": "(+ 1 2))\n",
        "block_comment.lsp": ";| open comment\n(+ 1 2)\n",
        "dot.lsp": "( . 1) (1 . 2 3)\n",
    })

    copy("dcl", "support/**/*.dcl")
    write("dcl", {
        "missing_semicolon.dcl": "d : dialog {\n  label = \"x\"\n  width = 3;\n}\n",
        "open_string.dcl": "d : dialog {\n\n  label = \"open;\n}\n",
        "open_comment.dcl": "d : dialog {\n}\n/* never closed\n\n",
        "open_body.dcl": "d : dialog {\n  : button { key = \"a\"; }\n",
        "missing_colon.dcl": "d dialog { }\n",
        "missing_value.dcl": "d : dialog {\n  key = ;\n}\n",
        "stray.dcl": "d : dialog {\n  $ \n}\n",
        "include.dcl": "@include \"b.dcl\"\n#include \"c.dcl\"\nd : dialog { :: button {} }\n",
        "deep.dcl": "d : dialog {" + ": row {" * 200,
    })

    copy("slide", "support/**/*.[sS][lL][dD]")
    write("slide", {"empty.sld": b"", "truncated.sld": open(os.path.join(root, "support/symvault/SV_INFO.SLD"), "rb").read()[:40]})

    copy("script", "support/**/*.[sS][cC][rR]")
    write("script", {
        # The first byte picks token or line reading for each answer.
        "commands.scr": "\x00LINE 0,0 10,10\n\nINSERT PART 1,2 1 1 0\n(setq a (list 1 \"x;y\" 2))\n^C\nQUIT\n",
        "lines.scr": "\xffLAYER\nM\nWIRES\n\n(princ \"a (\")\n(defun f ()\n  (+ 1 2)) ; rest\r\nQSAVE\n",
        "open_expr.scr": "\x00(setq a (strcat \"x\" ; comment\n",
    })

    copy("project", "support/**/*.prj")
    write("project", {
        "header_only.prj": "Wirecraft Project header file!\n",
        "bad_header.prj": "Some other file\nVer2.0\n",
        "no_version.prj": "Wirecraft Project header file!\nVersion 2\n",
        "high_version.prj": "Wirecraft Project header file!\nVer3.0\n",
        "old_header.prj": "DYNAMOHALL 4 Project header file!\nVer1.0\nNAME\n",
    })
    prj = open(os.path.join(root, "support/wcraft/demo/wcrdemo.prj"), "rb").read()
    write("project", {"truncated.prj": prj[:len(prj) // 2], "crlf.prj": prj.replace(b"\n", b"\r\n"),
                      "version11.prj": prj.replace(b"Ver2.0", b"Ver1.1", 1)})

    copy("library", "support/**/*.[sS][vV][fF]")
    write("library", {
        "first_line_only.svf": "***SYMVAULT=2\n",
        "bad_first_line.svf": "***symvault=2\nA library\n",
        "version3.svf": "***SYMVAULT=3\n",
        "minimal.svf": "***SYMVAULT=1\nA test library\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n***END_SYMBOLS\n"
                       "***BEGIN_SCALE_OPTIONS\n***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n",
        "no_end.svf": "***SYMVAULT=2\nA test library\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n",
    })


if __name__ == "__main__":
    main()
