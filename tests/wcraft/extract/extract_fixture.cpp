// Host session and DXF text helpers for extraction tests.
#include "extract_fixture.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "extract/store.h"
#include "host/module_state.h"
#include "dxf_text.h"
#include "../../tools/scratch.h"

namespace wcraft::test {

namespace {

std::string vertex_list(const std::string& layer, const std::vector<std::pair<double, double>>& pts) {
    std::string t;
    for (auto& p : pts) t += g(0, "VERTEX") + g(8, layer) + point(10, p.first, p.second);
    return t + g(0, "SEQEND") + g(8, layer);
}

}  // namespace

std::string line(const std::string& layer, double x1, double y1, double x2, double y2) {
    return g(0, "LINE") + g(8, layer) + point(10, x1, y1) + point(11, x2, y2);
}

std::string insert(const std::string& block, const std::string& layer, double x, double y,
                   const std::vector<Att>& atts, const std::string& handle) {
    std::string t = g(0, "INSERT");
    if (!handle.empty()) t += g(5, handle);
    t += g(8, layer);
    if (!atts.empty()) t += g(66, "1");
    t += g(2, block) + point(10, x, y);
    for (const Att& a : atts) {
        t += g(0, "ATTRIB") + g(8, layer) + point(10, a.x, a.y) + g(40, num(a.height)) + g(1, a.value) + g(2, a.tag) +
             g(70, "0") + g(50, num(a.rotation));
        if (a.justify) t += g(72, std::to_string(a.justify)) + point(11, a.ax, a.ay);
    }
    if (!atts.empty()) t += g(0, "SEQEND") + g(8, layer);
    return t;
}

std::string text(const std::string& layer, double x, double y, const std::string& value, int justify, double ax,
                 double ay) {
    std::string t = g(0, "TEXT") + g(8, layer) + point(10, x, y) + g(40, "2.5") + g(1, value);
    if (justify) t += g(72, std::to_string(justify)) + point(11, ax, ay);
    return t;
}

std::string polyline(const std::string& layer, int flags, const std::vector<std::pair<double, double>>& pts) {
    return g(0, "POLYLINE") + g(8, layer) + g(66, "1") + point(10, 0, 0) + g(70, std::to_string(flags)) +
           vertex_list(layer, pts);
}

std::string lwpolyline(const std::string& layer, int flags, const std::vector<std::pair<double, double>>& pts) {
    std::string t = g(0, "LWPOLYLINE") + g(8, layer) + g(90, std::to_string(pts.size())) + g(70, std::to_string(flags));
    for (auto& p : pts) t += g(10, num(p.first)) + g(20, num(p.second));
    return t;
}

void ExtractTest::SetUp() {
    session = std::make_unique<cadhost::host::Session>();
    cadhost::host::Session::set_current(session.get());
    session->set_output([this](std::string_view t) { out += t; });
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = std::filesystem::temp_directory_path() / ("wcraft-extract-" + std::to_string(getpid())) /
            (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    reset_module_state();
    store().reset();
    log = open_memstream(&m_log_buf, &m_log_len);
}

void ExtractTest::TearDown() {
    if (log) fclose(log);
    free(m_log_buf);
    store().reset();
    cadhost::host::Session::set_current(nullptr);
    session.reset();
    test_tools::remove_scratch(m_dir);
}

void ExtractTest::open_sheet(const std::string& entities, short sheet) {
    // A definition for every block inserted, so the drawing is complete.
    std::set<std::string> blocks;
    std::regex ins("0\nINSERT\n(?:5\n[^\n]*\n)?8\n[^\n]*\n(?:66\n1\n)?2\n([^\n]*)\n");
    for (auto it = std::sregex_iterator(entities.begin(), entities.end(), ins); it != std::sregex_iterator(); ++it)
        blocks.insert((*it)[1]);
    std::string dxf = g(0, "SECTION") + g(2, "HEADER") + g(9, "$ACADVER") + g(1, "AC1014") + g(0, "ENDSEC");
    dxf += g(0, "SECTION") + g(2, "BLOCKS");
    for (const std::string& b : blocks)
        dxf += g(0, "BLOCK") + g(8, "0") + g(2, b) + g(70, "2") + point(10, 0, 0) + g(3, b) +
               g(0, "CIRCLE") + g(8, "0") + point(10, 0, 0) + g(40, "1.0") + g(0, "ENDBLK") + g(8, "0");
    dxf += g(0, "ENDSEC") + g(0, "SECTION") + g(2, "ENTITIES") + entities + g(0, "ENDSEC") + g(0, "EOF");
    std::filesystem::path file = m_dir / ("sheet" + std::to_string(++m_drawings) + ".dxf");
    std::ofstream(file) << dxf;
    auto st = session->open_drawing(file.string());
    ASSERT_TRUE(st.ok()) << st.error().what();
    char digits[8];
    snprintf(digits, sizeof digits, "%03d", sheet);
    wcr().sheet_text = digits;
    wcr().sheet_no = sheet;
}

std::string ExtractTest::log_text() {
    fflush(log);
    return std::string(m_log_buf, m_log_len);
}

void ExtractTest::set_wires(const std::vector<std::pair<std::string, std::string>>& types) {
    size_t i = 0;
    for (; i < types.size(); ++i) {
        config().wire_defs[i].w_name = types[i].first;
        config().wire_defs[i].l_name = types[i].second;
    }
    config().wire_defs[i].w_name = kListEnd;
}

void ExtractTest::set_zones(const std::vector<std::pair<std::string, std::string>>& zones) {
    size_t i = 0;
    for (; i < zones.size(); ++i) {
        config().zone_defs[i].z_name = zones[i].first;
        config().zone_defs[i].l_name = zones[i].second;
    }
    config().zone_defs[i].z_name = kListEnd;
}

}  // namespace wcraft::test
