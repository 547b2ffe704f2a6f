// Test helpers for the drawing database.
#include "test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace cadhost::db::test {

// CH_SHARED_DIR in the environment stands in for the configured folder, so
// that the suite can be run as in a clone without one.
std::string samples_dir() {
    const char* shared = std::getenv("CH_SHARED_DIR");
    return std::string(shared ? shared : CH_SHARED_DIR) + "/dxf-samples";
}

std::vector<std::string> sample_files() {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(samples_dir(), ec))
        if (e.path().extension() == ".dxf") out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::unique_ptr<Drawing> load(const std::string& path) {
    auto r = Drawing::read_file(path);
    if (!r) {
        ADD_FAILURE() << r.error().what();
        return nullptr;
    }
    return r.release();
}

namespace {
// Kept to the end of the process, for the handler that removes it then.
const std::string* g_scratch = nullptr;
}  // namespace

// The process's scratch folder, removed with what is in it when the
// process ends.
std::string temp_dir() {
    if (!g_scratch) {
        std::string t = (fs::temp_directory_path() / "ch_db_test_XXXXXX").string();
        g_scratch = new std::string(mkdtemp(t.data()));
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(*g_scratch, ec);
        });
    }
    return *g_scratch;
}

namespace {
const char* python() { return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }
}  // namespace

bool auditor_available() {
    static bool ok = std::system((std::string(python()) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0;
    return ok;
}

std::optional<int> audit_errors(const std::string& path) {
    if (!auditor_available()) return std::nullopt;
    std::string cmd = std::string(python()) + " " + CH_DB_TEST_DIR + "/audit_dxf.py '" + path + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return std::nullopt;
    std::string out;
    char buf[512];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    // The count is the last line; earlier lines describe the errors.
    auto end = out.find_last_not_of("\n");
    auto start = out.find_last_of('\n', end);
    std::string last = out.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
    if (last.empty() || (!std::isdigit(static_cast<unsigned char>(last[0])) && last[0] != '-')) {
        ADD_FAILURE() << "auditor output: " << out;
        return -1;
    }
    int n = std::stoi(last);
    if (n != 0) ADD_FAILURE() << path << ":\n" << out;
    return n;
}

std::string ReadBack::operator[](const std::string& name) const {
    auto it = attribs.find(name);
    return it == attribs.end() ? std::string() : it->second;
}

namespace {

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t from = 0;
    for (size_t at; (at = s.find(sep, from)) != std::string::npos; from = at + 1) out.push_back(s.substr(from, at - from));
    out.push_back(s.substr(from));
    return out;
}

}  // namespace

std::optional<std::vector<ReadBack>> ezdxf_read(const std::string& path) {
    if (!auditor_available()) return std::nullopt;
    std::string cmd = std::string(python()) + " " + CH_DB_TEST_DIR + "/ezdxf_dump.py '" + path + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) {
        ADD_FAILURE() << "cannot run " << cmd;
        return std::vector<ReadBack>();
    }
    std::string out;
    char buf[4096];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    std::vector<ReadBack> entities;
    if (out.rfind("VERSION ", 0) != 0) {
        ADD_FAILURE() << "ezdxf could not read " << path << ": " << out;
        return entities;
    }
    for (const std::string& line : split(out, '\n')) {
        std::vector<std::string> f = split(line, '\t');
        if (f.size() != 4) continue;
        ReadBack e{f[0], f[1], f[2], {}};
        for (const std::string& kv : split(f[3], ';'))
            if (auto eq = kv.find('='); eq != std::string::npos) e.attribs[kv.substr(0, eq)] = kv.substr(eq + 1);
        entities.push_back(std::move(e));
    }
    return entities;
}

std::map<std::string, int> counts_by_type(const std::vector<ReadBack>& entities) {
    std::map<std::string, int> n;
    for (const ReadBack& e : entities) {
        // Readers spell the layouts' blocks as they like.
        std::string block = e.block;
        if (block[0] == '*')
            for (char& c : block) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ++n[e.type + " in " + block];
    }
    return n;
}

std::vector<EntityRef> walk(const Drawing& d, EntityRef first) {
    std::vector<EntityRef> out;
    for (EntityRef e = first; e && out.size() < 10000000; e = d.next_entity(e)) out.push_back(e);
    return out;
}

std::string read_all(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

}  // namespace cadhost::db::test
