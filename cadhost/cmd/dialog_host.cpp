// The session side of dialogs, the file dialog and slides; MSLIDE.
#include "cmd/dialog_host.h"

#include <fnmatch.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "dcl/engine.h"
#include "select/geometry.h"
#include "select/outline.h"
#include "slide/slide.h"
#include "slide/view_render.h"

#ifndef CADHOST_SUPPORT_DIR
#define CADHOST_SUPPORT_DIR ""
#endif

namespace cadhost::cmd {

namespace {

// A file by name: as given, then in the drawing folder and support path,
// then among the host's own support files.
std::string locate(host::Session& s, const std::string& name) {
    std::error_code ec;
    std::string direct = s.host_path(name);
    if (std::filesystem::is_regular_file(direct, ec)) return direct;
    if (std::string f = s.find_file(name); !f.empty()) return f;
    std::string own = builtin_support_dir();
    if (!own.empty()) {
        std::string p = own + "/" + std::filesystem::path(name).filename().string();
        if (std::filesystem::is_regular_file(p, ec)) return p;
    }
    return "";
}

// The files of a folder (a path as typed) whose names match the pattern.
std::vector<std::string> matching_files(const host::Session& s, const std::string& folder, const std::string& pattern) {
    std::vector<std::string> out;
    std::error_code ec;
    std::string dir = folder.empty() ? "." : s.host_path(folder);
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        std::error_code file_ec;
        if (!e.is_regular_file(file_ec)) continue;
        std::string name = e.path().filename().string();
        if (fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

std::string builtin_support_dir() {
    if (const char* e = getenv("CADHOST_SUPPORT"); e && *e) return e;
    return CADHOST_SUPPORT_DIR;
}

// Dialog output goes to the command line.
class DialogBinding::OutBuf : public std::streambuf {
public:
    explicit OutBuf(host::Session& s) : m_session(s) {}

protected:
    int overflow(int c) override {
        if (c != EOF) {
            char ch = static_cast<char>(c);
            m_session.print(std::string_view(&ch, 1));
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        m_session.print(std::string_view(s, static_cast<size_t>(n)));
        return n;
    }

private:
    host::Session& m_session;
};

DialogBinding::DialogBinding(host::Session& s, CommandLine& cl)
    : m_session(s), m_cl(cl), m_buf(std::make_unique<OutBuf>(s)), m_out(std::make_unique<std::ostream>(m_buf.get())) {
    auto& e = dcl::DialogEngine::instance();
    e.set_input(this);
    e.set_output(m_out.get());
    e.set_dcl_resolver([this](const std::string& name) -> Result<std::string> {
        std::string path = locate(m_session, name);
        auto text = path.empty() ? std::nullopt : host::read_file_text(path);
        if (!text) return Error{"Cannot find the dialog file \"" + name + "\""};
        return *text;
    });
    e.set_slide_reader([this](const std::string& name) -> Result<slide::Bytes> {
        std::string path = locate(m_session, name);
        auto text = path.empty() ? std::nullopt : host::read_file_text(path);
        if (!text) return Error{"Cannot find the slide \"" + name + "\""};
        return slide::Bytes(text->begin(), text->end());
    });
    e.set_file_checks({[this](const std::string& p) {
                           std::error_code ec;
                           return std::filesystem::exists(m_session.host_path(p), ec);
                       },
                       [this](const std::string& n) -> std::optional<std::string> {
                           std::string f = m_session.find_file(n);
                           if (f.empty()) return std::nullopt;
                           return f;
                       },
                       [this](const std::string& folder, const std::string& pattern) {
                           return matching_files(m_session, folder, pattern);
                       }});
}

DialogBinding::~DialogBinding() {
    auto& e = dcl::DialogEngine::instance();
    e.set_input(nullptr);
    e.set_output(nullptr);
}

std::optional<std::string> DialogBinding::read_line(const std::string& prompt) {
    return m_cl.ask(prompt, host::ReadMode::Line);
}

std::optional<std::string> DialogBinding::read_token(const std::string& prompt) {
    return m_cl.ask(prompt, host::ReadMode::Token);
}

bool DialogBinding::is_terminal() const { return m_session.input().interactive(); }

namespace {

// The model-space lines of the drawing as the current view shows them.
std::vector<slide::Segment2> view_segments(host::Session& s) {
    std::vector<slide::Segment2> out;
    auto& d = s.drawing();
    select::OutlineBuilder builder(d);
    for (EntityRef e : select::select_all(d, nullptr)) {
        auto g = d.entget(e);
        if (!g) continue;
        int color = static_cast<int>(group_int(*g, 62, 7));
        if (color < 1 || color > 255) color = 7;
        select::Outline o = builder.build(e, *g);
        for (auto& seg : o.segments) out.push_back({seg.a.x, seg.a.y, seg.b.x, seg.b.y, color});
        for (auto& p : o.points) out.push_back({p.x, p.y, p.x, p.y, color});
        for (auto& a : o.arcs) {
            // Arcs as chords, fine enough for a screen's worth of dots.
            double sweep = a.a1 - a.a0;
            if (sweep <= 0) sweep += 2 * M_PI;
            int steps = std::max(4, static_cast<int>(std::ceil(32 * sweep / (2 * M_PI))));
            for (int i = 0; i < steps; ++i) {
                double t0 = a.a0 + sweep * i / steps, t1 = a.a0 + sweep * (i + 1) / steps;
                out.push_back({a.c.x + a.r * std::cos(t0), a.c.y + a.r * std::sin(t0), a.c.x + a.r * std::cos(t1),
                               a.c.y + a.r * std::sin(t1), color});
            }
        }
    }
    return out;
}

CmdStatus cmd_mslide(CommandLine& cl) {
    host::Session& s = cl.session();
    std::string def = s.drawing_path().empty() ? "Drawing" : std::filesystem::path(s.drawing_path()).stem().string();
    auto name = cl.ask("Slide file <" + def + ">: ", host::ReadMode::Line);
    if (!name) return CmdStatus::Cancelled;
    std::string n = name->empty() ? def : *name;
    if (!std::filesystem::path(n).has_extension()) n += ".sld";
    slide::ViewSpec view;
    Point ctr = std::get<Point>(*s.sysvars().get("VIEWCTR"));
    Point screen = std::get<Point>(*s.sysvars().get("SCREENSIZE"));
    view.centre_x = ctr.x;
    view.centre_y = ctr.y;
    view.height = std::get<double>(*s.sysvars().get("VIEWSIZE"));
    view.aspect = screen.y > 0 ? screen.x / screen.y : 4.0 / 3.0;
    auto sl = slide::render_view(view_segments(s), view);
    if (!sl) return cl.print(sl.error().what() + "\n"), CmdStatus::Failed;
    auto bytes = slide::write_slide(*sl);
    if (!bytes) return cl.print(bytes.error().what() + "\n"), CmdStatus::Failed;
    std::ofstream f(s.host_path(n), std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    if (!f.flush()) return cl.print("Cannot write " + n + "\n"), CmdStatus::Failed;
    return CmdStatus::Done;
}

}  // namespace

void add_mslide_command(CommandLine& cl) { cl.add({"MSLIDE", cmd_mslide}); }

Result<std::optional<std::string>> get_file_name(host::Session& s, const dcl::FiledRequest& req) {
    auto filedia = s.sysvars().get("FILEDIA");
    bool dialog = filedia && std::get<int16_t>(*filedia) != 0;
    return dcl::DialogEngine::instance().get_filed(req, dialog ? dcl::FiledMode::Dialog : dcl::FiledMode::Prompt);
}

}  // namespace cadhost::cmd
