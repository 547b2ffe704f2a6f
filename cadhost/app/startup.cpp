// Session start-up: file layer drives, support path, first drawing,
// applications, script, then the command loop.
#include "app/startup.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cmd/commandline.h"
#include "cmd/dialog_host.h"
#include "cmd/lisp_host.h"
#include "fs/filelayer.h"
#include "host/session.h"

namespace cadhost::app {

const char* usage() {
    return "usage: cadhost [--drive L=DIR]... [--support DIR]... [--load MODULE]... [--script FILE] [DRAWING]\n";
}

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
        } else if (!a.empty() && a[0] == '-') {
            return error = "unknown option " + a, false;
        } else if (out.drawing.empty()) {
            out.drawing = a;
        } else {
            return error = "more than one drawing given", false;
        }
    }
    return true;
}


int run_host(const Options& opts, std::istream& in, bool terminal) {
    auto& layer = fs::file_layer();
    for (auto& [letter, dir] : opts.drives) layer.map_drive(letter, std::filesystem::absolute(dir).string());
    host::SessionOptions so;
    for (auto& d : opts.support) so.support_dirs.push_back(std::filesystem::absolute(d).string());
    host::Session session(so);
    host::Session::set_current(&session);
    cmd::CommandLine cl(session);
    cmd::LispBinding lisp(session, cl);
    cmd::DialogBinding dialogs(session, cl);
    session.input().set_base(&in, terminal);

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
    for (auto& m : opts.loads) {
        auto r = session.load_app(std::filesystem::absolute(m).string());
        if (!r) session.print(r.error().message + "\n");
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
    host::Session::set_current(nullptr);
    return status;
}

}  // namespace cadhost::app
