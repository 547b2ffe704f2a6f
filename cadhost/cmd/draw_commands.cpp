// LINE, PLINE and ERASE.
#include "ads.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "cmd/selectobj.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

// Asks for a point; keywords (if any) come back in `kw`.
int ask_point(CommandLine& cl, const std::string& prompt, const std::string& keywords, Point& out, std::string& kw,
              std::optional<Point> base = std::nullopt) {
    GetRequest req;
    req.kind = GetKind::Point;
    req.prompt = prompt;
    req.base = base;
    auto r = cl.get_input(req, parse_initget(0, keywords.c_str()));
    if (r.status == RTNORM) out = std::get<Point>(r.value);
    if (r.status == RTKWORD) kw = r.keyword;
    return r.status;
}

Result<EntityRef> make_line(host::Session& s, Point a, Point b) {
    a.dims = b.dims = 3;
    return s.drawing().entmake({make_group(0, std::string("LINE")), make_group(8, s.current_layer()),
                                make_group(10, a), make_group(11, b)});
}

CmdStatus cmd_line(CommandLine& cl) {
    host::Session& s = cl.session();
    Point first, p;
    std::string kw;
    int st = ask_point(cl, "From point: ", "", first, kw);
    if (st == RTCAN) return CmdStatus::Cancelled;
    if (st != RTNORM) return CmdStatus::Done;
    Point start = first;                 // where the next segment begins
    std::vector<EntityRef> made;         // segments drawn, for Undo
    std::vector<Point> starts;
    for (;;) {
        std::string keys = made.size() >= 2 ? "Close Undo" : "Undo";
        kw.clear();
        st = ask_point(cl, "To point: ", keys, p, kw, start);
        if (st == RTCAN) return CmdStatus::Cancelled;
        if (st == RTNONE) return CmdStatus::Done;
        if (st == RTKWORD && kw == "Undo") {
            if (made.empty()) {
                cl.print("All segments already undone.\n");
                continue;
            }
            (void)s.drawing().entdel(made.back());
            made.pop_back();
            start = starts.back();
            starts.pop_back();
            continue;
        }
        bool close = st == RTKWORD && kw == "Close";
        Point to = close ? first : p;
        auto r = make_line(s, start, to);
        if (!r) {
            cl.print(r.error().message + "\n");
            return CmdStatus::Failed;
        }
        made.push_back(*r);
        starts.push_back(start);
        start = to;
        if (close) return CmdStatus::Done;
    }
}

// Makes the polyline in the form the drawing's version holds.
Status make_pline(host::Session& s, const std::vector<Point>& pts, bool closed) {
    auto& d = s.drawing();
    std::string layer = s.current_layer();
    if (d.version() != db::DxfVersion::R12) {
        GroupList l{make_group(0, std::string("LWPOLYLINE")), make_group(8, layer),
                    make_long(90, static_cast<int32_t>(pts.size())), make_short(70, closed ? 1 : 0)};
        for (Point p : pts) {
            p.dims = 2;
            p.z = 0;
            l.push_back(make_group(10, p));
        }
        auto r = d.entmake(l);
        if (!r) return r.error();
        return ok_status();
    }
    auto r = d.entmake({make_group(0, std::string("POLYLINE")), make_group(8, layer), make_short(66, 1),
                        make_group(10, Point{0, 0, 0}), make_short(70, closed ? 1 : 0)});
    if (!r) return r.error();
    for (Point p : pts) {
        p.dims = 3;
        auto v = d.entmake({make_group(0, std::string("VERTEX")), make_group(8, layer), make_group(10, p)});
        if (!v) return v.error();
    }
    auto e = d.entmake({make_group(0, std::string("SEQEND")), make_group(8, layer)});
    if (!e) return e.error();
    return ok_status();
}

CmdStatus cmd_pline(CommandLine& cl) {
    host::Session& s = cl.session();
    std::vector<Point> pts(1);
    std::string kw;
    int st = ask_point(cl, "From point: ", "", pts[0], kw);
    if (st == RTCAN) return CmdStatus::Cancelled;
    if (st != RTNORM) return CmdStatus::Done;
    cl.print("Current line-width is 0.0000\n");
    bool closed = false;
    for (;;) {
        Point p;
        st = ask_point(cl, "Arc/Close/Halfwidth/Length/Undo/Width/<Endpoint of line>: ",
                       "Arc Close Halfwidth Length Undo Width", p, kw, pts.back());
        if (st == RTCAN) return CmdStatus::Cancelled;
        if (st == RTNONE) break;
        if (st == RTKWORD) {
            if (kw == "Close" && pts.size() >= 2) {
                closed = true;
                break;
            }
            if (kw == "Undo" && pts.size() > 1) pts.pop_back();
            else cl.print("Only straight segments with no width are drawn here.\n");
            continue;
        }
        pts.push_back(p);
    }
    if (pts.size() < 2) return CmdStatus::Done;
    auto r = make_pline(s, pts, closed);
    if (!r) {
        cl.print(r.error().message + "\n");
        return CmdStatus::Failed;
    }
    return CmdStatus::Done;
}

CmdStatus cmd_erase(CommandLine& cl) {
    host::Session& s = cl.session();
    auto set = select_objects(cl);
    if (!set) return CmdStatus::Cancelled;
    for (EntityRef e : *set)
        if (!s.drawing().is_deleted(e)) (void)s.drawing().entdel(e);  // only entities that exist are selected
    return CmdStatus::Done;
}

}  // namespace

void add_draw_commands(CommandLine& cl) {
    cl.add({"LINE", cmd_line});
    cl.add({"PLINE", cmd_pline});
    cl.add({"ERASE", cmd_erase});
}

}  // namespace cadhost::cmd
