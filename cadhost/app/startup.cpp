// Session start-up: file layer drives, support path, first drawing,
// applications, script, then the command loop.
#include "app/startup.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cmd/commandline.h"
#include "cmd/completion.h"
#include "cmd/dialog_host.h"
#include "cmd/lisp_host.h"
#include "fs/filelayer.h"
#include "host/session.h"
#include "plot/job.h"
#include "term/terminal.h"

#ifndef CADHOST_VERSION
#define CADHOST_VERSION "unknown"
#endif

namespace cadhost::app {

const char* usage() {
    return "usage: cadhost [--drive L=DIR]... [--support DIR]... [--load MODULE]... [--script FILE] [DRAWING]\n"
           "       cadhost [--drive L=DIR]... --plot OUTDIR DRAWING...\n";
}

const char* help_text() {
    return "usage: cadhost [--drive L=DIR]... [--support DIR]... [--load MODULE]... [--script FILE] [DRAWING]\n"
           "       cadhost [--drive L=DIR]... --plot OUTDIR DRAWING...\n"
           "\n"
           "Opens DRAWING (or starts a new unnamed drawing), loads each MODULE, runs the\n"
           "script, then reads commands from the terminal or standard input until the\n"
           "input ends or QUIT.\n"
           "\n"
           "  --drive L=DIR    drive letter L is the folder DIR (default for C:\n"
           "                   $XDG_DATA_HOME/cadhost/C or ~/.local/share/cadhost/C)\n"
           "  --support DIR    adds DIR to the support path, searched for drawings, blocks,\n"
           "                   AutoLISP, dialog and linetype files (ACADPREFIX)\n"
           "  --load MODULE    loads the application MODULE; one that cannot be loaded\n"
           "                   ends the host with status 1 before any input is read\n"
           "  --script FILE    runs the script FILE before reading commands\n"
           "  --plot OUTDIR    plots each DRAWING's extents to OUTDIR as NAME.pdf and\n"
           "                   NAME.svg, then exits\n"
           "  -h, --help       shows this text and exits\n"
           "  --version        shows the version and exits\n"
           "\n"
           "At \"Command: \" HELP (or ?) lists the commands and HELP NAME describes one.\n"
           "At a terminal Ctrl-C or Escape cancels, Ctrl-D quits, the arrow keys recall\n"
           "earlier lines (kept in $XDG_STATE_HOME/cadhost/history) and Tab completes\n"
           "command and file names.\n";
}

const char* version_text() { return "cadhost " CADHOST_VERSION " (presents itself as release 14.0)\n"; }

bool parse_options(int argc, char** argv, Options& out, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= argc) return error = a + " needs a value", false;
            v = argv[++i];
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            out.help = true;
        } else if (a == "--version") {
            out.version = true;
        } else if (a == "--drive") {
            if (!value(v)) return false;
            if (v.size() < 3 || v[1] != '=' || !std::isalpha(static_cast<unsigned char>(v[0])))
                return error = "--drive takes L=DIR, got \"" + v + "\"", false;
            out.drives.emplace_back(static_cast<char>(std::toupper(static_cast<unsigned char>(v[0]))), v.substr(2));
        } else if (a == "--support") {
            if (!value(v)) return false;
            out.support.push_back(v);
        } else if (a == "--load") {
            if (!value(v)) return false;
            out.loads.push_back(v);
        } else if (a == "--script") {
            if (!value(v)) return false;
            out.script = v;
        } else if (a == "--plot") {
            if (!value(v)) return false;
            out.plot_dir = v;
        } else if (!a.empty() && a[0] == '-') {
            return error = "unknown option " + a, false;
        } else if (!out.plot_dir.empty()) {
            out.plot_drawings.push_back(a);
        } else if (out.drawing.empty()) {
            out.drawing = a;
        } else {
            return error = "more than one drawing given", false;
        }
    }
    if (!out.plot_dir.empty() && !out.drawing.empty()) {
        out.plot_drawings.insert(out.plot_drawings.begin(), out.drawing);
        out.drawing.clear();
    }
    if (!out.plot_dir.empty() && out.plot_drawings.empty()) return error = "--plot needs at least one drawing", false;
    return true;
}

namespace {

// Plots each drawing's extents into the folder; a drawing that cannot be
// read or plotted is reported and the others are still plotted.
int plot_drawings(const Options& opts, host::Session& session) {
    plot::PlotSettings settings{*plot::paper_named("A3"), 0, 0.25, session.host_path(opts.plot_dir)};
    std::error_code ec;
    std::filesystem::create_directories(settings.folder, ec);
    if (ec) {
        fprintf(stderr, "cadhost: cannot make the plot folder %s: %s\n", settings.folder.c_str(), ec.message().c_str());
        return 1;
    }
    int status = 0;
    for (const std::string& name : opts.plot_drawings) {
        std::string path = std::filesystem::absolute(session.host_path(name)).lexically_normal().string();
        auto d = db::Drawing::read_file(path);
        if (!d) {
            fflush(stdout);
            fprintf(stderr, "cadhost: cannot read drawing: %s\n", d.error().what().c_str());
            status = 1;
            continue;
        }
        auto files = plot::plot_extents(**d, path, settings);
        if (!files) {
            fflush(stdout);
            fprintf(stderr, "cadhost: %s not plotted: %s\n", name.c_str(), files.error().what().c_str());
            status = 1;
            continue;
        }
        for (const std::string& n : files->notes) printf("%s: not plotted: %s\n", name.c_str(), n.c_str());
        printf("%s: plotted to %s and %s\n", name.c_str(), files->pdf.c_str(), files->svg.c_str());
    }
    return status;
}

}  // namespace


int run_host(const Options& opts, std::istream& in, bool terminal) {
    auto& layer = fs::file_layer();
    for (auto& [letter, dir] : opts.drives) layer.map_drive(letter, std::filesystem::absolute(dir).string());
    host::SessionOptions so;
    for (auto& d : opts.support) so.support_dirs.push_back(std::filesystem::absolute(d).string());
    // Declared before the session, whose output it takes, so that it outlives it.
    std::unique_ptr<term::Terminal> tty;
    host::Session session(so);
    if (!opts.plot_dir.empty()) return plot_drawings(opts, session);
    host::Session::set_current(&session);
    cmd::CommandLine cl(session);
    cmd::LispBinding lisp(session, cl);
    cmd::DialogBinding dialogs(session, cl);
    session.input().set_base(&in, terminal);
    // A person at a terminal gets line editing; a stream that only claims
    // to be a terminal (tests) is read as it is.
    if (terminal && &in == &std::cin && isatty(0)) {
        tty = std::make_unique<term::Terminal>(0, term::Terminal::default_history_file());
        term::Terminal::catch_interrupts();
        session.set_output([t = tty.get()](std::string_view text) { t->write(text); });
        session.input().set_line_source(tty.get());
        tty->set_completer([&](host::Completion c, const std::string& word) {
            return c == host::Completion::Command ? cmd::complete_command(cl, word) : cmd::complete_file(session, word);
        });
    }

    if (!opts.drawing.empty()) {
        std::string path = session.host_path(opts.drawing);
        auto st = session.open_drawing(path);
        if (!st) {
            fprintf(stderr, "cadhost: cannot read drawing: %s\n", st.error().what().c_str());
            host::Session::set_current(nullptr);
            return 1;
        }
    } else {
        session.new_drawing();
    }
    bool loaded = true;
    for (auto& m : opts.loads) {
        auto r = session.load_app(std::filesystem::absolute(m).string());
        if (r) continue;
        if (tty) tty->flush();
        fflush(stdout);
        fprintf(stderr, "cadhost: --load %s: %s\n", m.c_str(), r.error().message.c_str());
        loaded = false;
    }
    if (!loaded) {
        // A session without the modules asked for would do other work than intended.
        host::Session::set_current(nullptr);
        return 1;
    }
    if (!opts.script.empty()) {
        auto text = host::read_file_text(session.host_path(opts.script));
        if (!text) {
            fprintf(stderr, "cadhost: cannot read script %s\n", opts.script.c_str());
            host::Session::set_current(nullptr);
            return 1;
        }
        session.input().start_script(*text, opts.script);
    }
    int status = cl.run();
    session.print("\n");
    if (tty) tty->flush();
    host::Session::set_current(nullptr);
    return status;
}

}  // namespace cadhost::app
