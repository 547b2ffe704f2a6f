// The stand-in host calls, the memory log and the fixture.
#include "exports_support.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "host/host_api.h"
#include "host/module_state.h"
#include "../../../tools/scratch.h"

namespace wcraft::test {

StandInHost& host() {
    static StandInHost h;
    return h;
}

namespace {

std::string last_part(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

void ExportTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    StandInHost& h = host();
    h = StandInHost{};
    h.folder = std::filesystem::temp_directory_path() / ("wcraft-exports-" + std::to_string(getpid())) /
               (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(h.folder);
    std::filesystem::create_directories(h.folder);
    reset_module_state();
    store().reset();
}

void ExportTest::TearDown() {
    test_tools::remove_scratch(host().folder);
    store().reset();
}

bool ExportTest::report_exists(const char* ext) const {
    return std::filesystem::exists(host().folder / (std::string("NONAME.") + ext));
}

std::string ExportTest::report(const char* ext) const {
    if (!report_exists(ext)) return "<missing>";
    std::ifstream f(host().folder / (std::string("NONAME.") + ext), std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

WireSegment segment(int16_t sheet, XY start, XY end, int32_t number) {
    WireSegment s;
    s.sheet = sheet;
    s.start = start;
    s.end = end;
    s.wire_number = number;
    return s;
}

Component block(int16_t sheet, XY point, const char* ref) {
    Component c;
    c.sheet = sheet;
    c.point = point;
    c.ref = ref;
    return c;
}

}  // namespace wcraft::test

using wcraft::test::host;

// ---- the host calls the report sources make

int ads_printf(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    char* text = nullptr;
    int n = vasprintf(&text, format, ap);
    va_end(ap);
    if (n >= 0) host().command_line += text;
    free(text);
    return n;
}

FILE* rt_fopen(const char* path, const char* mode) {
    host().opened.push_back(path);
    std::string name = wcraft::test::last_part(path);
    if (host().refused.count(name)) return nullptr;
    return fopen((host().folder / name).c_str(), mode);
}

int rt_remove(const char* path) {
    std::error_code ec;
    return std::filesystem::remove(host().folder / wcraft::test::last_part(path), ec) ? 0 : -1;
}

// Never over an existing file, as the host's file layer.
int rt_rename(const char* from, const char* to) {
    std::filesystem::path target = host().folder / wcraft::test::last_part(to);
    if (std::filesystem::exists(target)) return -1;
    std::error_code ec;
    std::filesystem::rename(host().folder / wcraft::test::last_part(from), target, ec);
    return ec ? -1 : 0;
}

int rt_access(const char* path, int) {
    return std::filesystem::exists(host().folder / wcraft::test::last_part(path)) ? 0 : -1;
}

// Strings only: the one kind of list the hook builds.
struct resbuf* ads_buildlist(int rtype, ...) {
    if (host().buildlist_fails) return nullptr;
    struct resbuf *head = nullptr, **tail = &head;
    va_list ap;
    va_start(ap, rtype);
    for (int t = rtype; t != 0; t = va_arg(ap, int)) {
        if (t != RTSTR) ADD_FAILURE() << "unexpected value type " << t;
        struct resbuf* rb = ads_newrb(RTSTR);
        rb->resval.rstring = strdup(va_arg(ap, const char*));
        *tail = rb;
        tail = &rb->rbnext;
    }
    va_end(ap);
    return head;
}

int ads_retnil(void) {
    host().returned_nil = true;
    host().returned_list = false;
    host().list.clear();
    return RTNORM;
}

int ads_retlist(const struct resbuf* rb) {
    host().returned_nil = false;
    host().returned_list = true;
    host().list.clear();
    for (; rb; rb = rb->rbnext) host().list.push_back(rb->restype == RTSTR ? rb->resval.rstring : "<not a string>");
    return RTNORM;
}

// Called by run file helpers linked beside run_file; never by the reports.
int ads_command(int, ...) { return RTERROR; }
int ads_getvar(const char*, struct resbuf*) { return RTERROR; }
long rt_findfirst(const char*, struct rt_finddata_t*) { return -1; }
int rt_findnext(long, struct rt_finddata_t*) { return -1; }
int rt_findclose(long) { return 0; }

namespace wcraft {
void request_shell_leave() {}
}  // namespace wcraft
