// Host session, drive and drawing helpers for run control tests.
#include "postproc_fixture.h"

#include <unistd.h>

#include <fstream>
#include <regex>
#include <set>

#include "ads.h"
#include "extract/store.h"
#include "fs/filelayer.h"
#include "host/module_state.h"
#include "dxf_text.h"
#include "../../tools/scratch.h"

namespace wcraft::test {

namespace {

const resbuf* find(const resbuf* rb, int code) {
    for (; rb; rb = rb->rbnext)
        if (rb->restype == code) return rb;
    return nullptr;
}

std::string str(const resbuf* rb, int code) {
    const resbuf* f = find(rb, code);
    return f && f->resval.rstring ? f->resval.rstring : "";
}

}  // namespace

std::string dxf_line(const std::string& layer, double x1, double y1, double x2, double y2) {
    return g(0, "LINE") + g(8, layer) + point(10, x1, y1) + point(11, x2, y2);
}

std::string dxf_text(const std::string& layer, double x, double y, const std::string& value) {
    return g(0, "TEXT") + g(8, layer) + point(10, x, y) + g(40, "2.5") + g(1, value);
}

std::string dxf_style(const std::string& name, double width) {
    return g(0, "TABLE") + g(2, "STYLE") + g(70, "1") + g(0, "STYLE") + g(2, name) + g(70, "0") + g(40, "0.0") +
           g(41, num(width)) + g(50, "0.0") + g(71, "0") + g(42, "2.5") + g(3, "txt") + g(4, "") + g(0, "ENDTAB");
}

std::string dxf_insert(const std::string& block, const std::string& layer, double x, double y) {
    return g(0, "INSERT") + g(8, layer) + g(2, block) + point(10, x, y);
}

std::string dxf_drawing(const std::string& entities, const std::vector<std::string>& blocks,
                        const std::string& style_tables) {
    std::string t = g(0, "SECTION") + g(2, "HEADER") + g(9, "$ACADVER") + g(1, "AC1014") + g(0, "ENDSEC");
    // A layer table with layer 0 and every layer the entities are on.
    std::set<std::string> layers{"0"};
    std::regex on_layer("\n8\n([^\n]*)\n");
    std::string all = "\n" + entities;
    for (auto it = std::sregex_iterator(all.begin(), all.end(), on_layer); it != std::sregex_iterator(); ++it)
        layers.insert((*it)[1]);
    t += g(0, "SECTION") + g(2, "TABLES") + g(0, "TABLE") + g(2, "LAYER") + g(70, std::to_string(layers.size()));
    for (const std::string& l : layers)
        t += g(0, "LAYER") + g(2, l) + g(70, "0") + g(62, "7") + g(6, "CONTINUOUS");
    t += g(0, "ENDTAB") + style_tables + g(0, "ENDSEC");
    t += g(0, "SECTION") + g(2, "BLOCKS");
    for (const std::string& b : blocks)
        t += g(0, "BLOCK") + g(8, "0") + g(2, b) + g(70, "0") + point(10, 0, 0) + g(3, b) + g(0, "CIRCLE") +
             g(8, "0") + point(10, 0, 0) + g(40, "1.0") + g(0, "ENDBLK") + g(8, "0");
    t += g(0, "ENDSEC") + g(0, "SECTION") + g(2, "ENTITIES") + entities + g(0, "ENDSEC") + g(0, "EOF");
    return t;
}

void PostprocTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = std::filesystem::temp_directory_path() / ("wcraft-postproc-" + std::to_string(getpid())) /
            (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir / "WCRAFT" / "PROCESS");
    std::filesystem::create_directories(m_dir / "PROJ");
    std::filesystem::copy_file(std::string(CH_SOURCE_DIR) + "/support/wcraft/wcraftYN.dcl",
                               m_dir / "WCRAFT" / "wcraftYN.dcl");
    cadhost::fs::file_layer().map_drive('C', m_dir.string());
    m_cwd = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);  // files the host and module make "here" land in the scratch folder
    cadhost::host::SessionOptions so;
    so.support_dirs.push_back(std::string(CH_SOURCE_DIR) + "/support/dcl");
    session = std::make_unique<cadhost::host::Session>(so);
    cadhost::host::Session::set_current(session.get());
    session->set_output([this](std::string_view t) { out += t; });
    cl = std::make_unique<cadhost::cmd::CommandLine>(*session);
    lisp = std::make_unique<cadhost::cmd::LispBinding>(*session, *cl);
    dialogs = std::make_unique<cadhost::cmd::DialogBinding>(*session, *cl);
    session->input().set_base(&m_in, false);
    session->new_drawing();
    reset_module_state();
    store().reset();
    wcr().install_dir = "C:\\WCRAFT\\";
    config().p_name = "ELEC1";
    config().p_title = "Pump station";
    config().p_dir = "C:\\PROJ";
}

void PostprocTest::TearDown() {
    if (wcr().dblog) fclose(wcr().dblog);
    wcr().dblog = nullptr;
    store().reset();
    dialogs.reset();
    lisp.reset();
    cl.reset();
    cadhost::host::Session::set_current(nullptr);
    session.reset();
    std::filesystem::current_path(m_cwd);
    test_tools::remove_scratch(m_dir);
}

void PostprocTest::write_file(const std::string& rel, const std::string& text) {
    std::filesystem::create_directories((m_dir / rel).parent_path());
    std::ofstream(m_dir / rel, std::ios::binary) << text;
}

std::string PostprocTest::read_file(const std::string& rel) const {
    std::ifstream f(m_dir / rel, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void PostprocTest::open_drawing(const std::string& name, const std::string& dxf) {
    write_file("PROJ/" + name, dxf);
    auto st = session->open_drawing((m_dir / "PROJ" / name).string());
    ASSERT_TRUE(st.ok()) << st.error().what();
}

std::vector<Ent> PostprocTest::entities() {
    std::vector<Ent> found;
    ads_name e;
    if (ads_entnext(nullptr, e) != RTNORM) return found;
    do {
        resbuf* ed = ads_entget(e);
        Ent x;
        x.type = str(ed, 0);
        x.layer = str(ed, 8);
        x.text = str(ed, 1);
        x.block = str(ed, 2);
        if (const resbuf* p = find(ed, 10)) x.x = p->resval.rpoint[0], x.y = p->resval.rpoint[1];
        if (const resbuf* h = find(ed, 40)) x.height = h->resval.rreal;
        if (const resbuf* w = find(ed, 41)) x.width = w->resval.rreal;
        ads_relrb(ed);
        found.push_back(x);
    } while (ads_entnext(e, e) == RTNORM);
    return found;
}

std::vector<Ent> PostprocTest::entities_of(const std::string& type, const std::string& layer) {
    std::vector<Ent> found;
    for (const Ent& e : entities())
        if (e.type == type && e.layer == layer) found.push_back(e);
    return found;
}

void PostprocTest::steps_off_but_audit(int audit) {
    ProjectConfig& c = config();
    c.wire_num = c.wire_lis = c.wire_sch = c.wire_lnk = c.comp_num = c.term_num = c.relay_cr = 0;
    c.cont_num = c.cont_blk = c.sheet_no = c.sheet_rot = c.part_lis = c.analysis = c.application_int = 0;
    c.audit = audit;
}

void PostprocTest::set_short(const char* name, int v) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(v);
    ASSERT_EQ(ads_putsym(name, &rb), RTNORM);
}

void PostprocTest::set_string(const char* name, const char* v) {
    resbuf rb{};
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<char*>(v);
    ASSERT_EQ(ads_putsym(name, &rb), RTNORM);
}

int PostprocTest::get_short(const char* name) {
    resbuf* rb = nullptr;
    if (ads_getsym(name, &rb) != RTNORM || !rb) return -99999;
    int v = rb->restype == RTSHORT ? rb->resval.rint : -99998;
    ads_relrb(rb);
    return v;
}

}  // namespace wcraft::test
