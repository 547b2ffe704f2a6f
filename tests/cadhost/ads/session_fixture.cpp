// Test session set-up and helpers.
#include "session_fixture.h"

#include <algorithm>
#include <array>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../../tools/scratch.h"

namespace cadhost::test {

void HostTest::SetUp() {
    session = std::make_unique<host::Session>();
    host::Session::set_current(session.get());
    session->set_output([this](std::string_view t) { out += t; });
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = std::filesystem::temp_directory_path() / ("cadhost-test-" + std::to_string(getpid())) /
            (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
}

void HostTest::TearDown() {
    host::Session::set_current(nullptr);
    session.reset();
    test_tools::remove_scratch(m_dir);
}

void HostTest::open(const std::string& path) {
    auto st = session->open_drawing(path);
    ASSERT_TRUE(st.ok()) << st.error().what();
}

std::string HostTest::demo_path() const { return std::string(CH_SOURCE_DIR) + "/support/samples/demo.dxf"; }

void HostTest::open_demo() { open(demo_path()); }

std::vector<std::string> HostTest::samples() {
    std::vector<std::string> found;
    // CH_SHARED_DIR in the environment stands in for the configured folder,
    // so that the suite can be run as in a clone without one.
    const char* shared = std::getenv("CH_SHARED_DIR");
    std::filesystem::path dir = std::filesystem::path(shared ? shared : CH_SHARED_DIR) / "dxf-samples";
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(dir, ec)) {
        std::string ext = e.path().extension().string();
        if (ext == ".dxf" || ext == ".DXF") found.push_back(e.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<std::array<long, 2>> HostTest::walk() {
    std::vector<std::array<long, 2>> names;
    ads_name e;
    if (ads_entnext(nullptr, e) != RTNORM) return names;
    do names.push_back({e[0], e[1]});
    while (ads_entnext(e, e) == RTNORM);
    return names;
}

std::string HostTest::type_of(const ads_name e) {
    struct resbuf* rb = ads_entget(e);
    std::string t = rb_string(rb, 0);
    ads_relrb(rb);
    return t;
}

int HostTest::ezdxf_audit_errors(const std::string& path) {
    std::string script = std::string(CH_SOURCE_DIR) + "/tests/tools/ezdxf_audit.py";
    std::string cmd = "/usr/bin/python3 '" + script + "' '" + path + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    std::string text;
    while (size_t n = fread(buf, 1, sizeof buf, p)) text.append(buf, n);
    int rc = pclose(p);
    if (rc != 0 && text.find("NO_EZDXF") != std::string::npos) return -1;
    auto pos = text.find("AUDIT_ERRORS ");
    if (pos == std::string::npos) {
        ADD_FAILURE() << "ezdxf could not read " << path << ":\n" << text;
        return 1000;
    }
    int n = atoi(text.c_str() + pos + 13);
    if (n) ADD_FAILURE() << text;
    return n;
}

const struct resbuf* rb_find(const struct resbuf* rb, int code) {
    for (; rb; rb = rb->rbnext)
        if (rb->restype == code) return rb;
    return nullptr;
}

std::string rb_string(const struct resbuf* rb, int code) {
    const struct resbuf* f = rb_find(rb, code);
    return f && f->resval.rstring ? f->resval.rstring : "";
}

}  // namespace cadhost::test
