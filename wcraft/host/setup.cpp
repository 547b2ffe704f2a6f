// WCRSETDIR, the demo reset and the report viewer.
#include "host/setup.h"

#include <cstring>
#include <string>

#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "host/publish.h"
#include "project/project_io.h"

namespace wcraft {

namespace {

std::string in_install(const std::string& rel) { return std::string(wcr().install_dir.c_str()) + rel; }

bool host_finds(const std::string& path) {
    char found[512] = {};
    return ads_findfile(path.c_str(), found) == RTNORM;
}

// Byte-for-byte copy; skipped silently when either file cannot be opened.
// The copy is written beside the target and replaces it only when whole,
// so a failed copy leaves the target as it was.
void copy_file(const std::string& from, const std::string& to) {
    FILE* in = rt_fopen(from.c_str(), "rb");
    if (!in) return;
    FILE* out = open_beside(to, "wb");
    if (!out) {
        fclose(in);
        return;
    }
    char buf[8192];
    bool ok = true;
    size_t n;
    while (ok && (n = fread(buf, 1, sizeof buf, in)) > 0) ok = fwrite(buf, 1, n, out) == n;
    if (ferror(in)) ok = false;
    fclose(in);
    if (ok) {
        put_in_place(out, to);
    } else {
        close_beside(out);
        drop_beside(to);
    }
}

// Creates a folder; one that already exists is fine.
bool make_folder(const std::string& path) {
    if (rt_mkdir(path.c_str()) == 0 || rt_access(path.c_str(), 0) == 0) return true;
    ads_printf(msg::kMkdirFailed, path.c_str());
    return false;
}

void run_setdir() {
    struct resbuf* args = ads_getargs();
    if (!args) {
        ads_printf("%s", msg::kSetdirNoArg);
        return;
    }
    if (args->restype != RTSTR || !args->resval.rstring) {
        ads_printf("%s", msg::kSetdirBadArg);
        ads_relrb(args);
        return;
    }
    wcr().install_dir = args->resval.rstring;
    ads_relrb(args);
    publish_lisp_vars();
    if (!host_finds(in_install("locator.id"))) {
        ads_printf("%s", msg::kNoLocator);
        return;
    }
    if (host_finds(in_install("first.log"))) return;
    bool ok = true;
    for (const char* folder : {"process", "project", "WcrDemo"}) ok = make_folder(in_install(folder)) && ok;
    if (!ok) return;
    cmd_reset_demo();
    if (FILE* f = rt_fopen(in_install("first.log").c_str(), "w")) {
        fputs(msg::kFirstLogText, f);
        fclose(f);
    }
}

}  // namespace

int cmd_setdir() {
    run_setdir();
    return 1;
}

int direct_setdir() {
    run_setdir();
    ads_retvoid();
    return RTNORM;
}

int cmd_reset_demo() {
    for (int i = 1; i <= 4; ++i) {
        std::string n = std::to_string(i);
        copy_file(in_install("NEW00" + n + "." + kDrawingExt), in_install("Wcrdemo\\DEMO00" + n + "." + kDrawingExt));
    }
    copy_file(in_install("wcrdemo.prj"), in_install("project\\wcrdemo.prj"));
    return 1;
}

const char* report_extension(int number) {
    static const char* const kExt[] = {"WLF", "RLF", "PLF", "ALF", "LOG"};
    return number >= 1 && number <= 5 ? kExt[number - 1] : nullptr;
}

namespace {

// The report number from the first argument, or asked; 0 when not answered.
int report_number() {
    struct resbuf* args = ads_getargs();
    int number = 0;
    bool given = args && args->restype == RTSHORT;
    if (given) number = args->resval.rint;
    if (args) ads_relrb(args);
    if (given) return number == 0 ? -1 : number;
    for (const char* line : msg::kReportMenu) ads_printf("%s", line);
    if (ads_getint(msg::kReportPrompt, &number) != RTNORM) return 0;
    return number == 0 ? -1 : number;
}

// The first line of EDITOR.DAT, or EDIT.
std::string editor_command() {
    FILE* f = rt_fopen(in_install("EDITOR.DAT").c_str(), "r");
    if (!f) return "EDIT";
    char line[128] = {};
    if (!fgets(line, sizeof line, f)) line[0] = '\0';
    fclose(f);
    line[strcspn(line, "\r\n")] = '\0';
    return line;
}

}  // namespace

int cmd_view_report() {
    int number = report_number();
    if (number == 0) return 1;
    const char* ext = report_extension(number);
    if (!ext) {
        ads_printf("%s", msg::kBadReportNumber);
        return 1;
    }
    std::string path = in_install("process\\") + config().p_name.c_str() + "." + ext;
    // The name goes into a shell command line, so only a valid file name will do.
    if (!project_name_usable() || !host_finds(path)) {
        ads_alert(msg::kNoReport);
        return 1;
    }
    std::string cmdline = editor_command() + " " + path;
    ads_command(RTSTR, "_.SHELL", RTSTR, cmdline.c_str(), RTNONE);
    return 1;
}

}  // namespace wcraft
