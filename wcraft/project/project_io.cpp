// The project file on disk. Saving writes a new file beside the old one
// and puts it in place only when every line was written, so a failed save
// never damages the previous project; loading reads into a copy and takes
// it only when the whole file was read.
#include "project/project_io.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "host/error_codes.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "host/validators.h"
#include "project/project_format.h"

namespace wcraft {

namespace {

// Copies the old project file to its backup, through `tmp` moved over the
// backup once complete, so that a failed copy never leaves a backup cut
// short. True when there is nothing to copy or the whole file was copied.
bool copy_to_backup(const std::string& from, const std::string& tmp, const std::string& to) {
    FILE* in = rt_fopen(from.c_str(), "r");
    if (!in) return true;
    FILE* out = rt_fopen(tmp.c_str(), "w");
    bool ok = out != nullptr;
    if (out) {
        char line[130];
        while (fgets(line, sizeof line, in))
            if (fputs(line, out) < 0) ok = false;
        if (fclose(out) != 0) ok = false;
    }
    if (ferror(in)) ok = false;
    fclose(in);
    if (ok) ok = replace_with(tmp, to);
    if (!ok && out) rt_remove(tmp.c_str());
    return ok;
}

// Writes the configuration to `tmp` and moves it over `path`.
bool write_in_place(const std::string& tmp, const std::string& path) {
    FILE* f = rt_fopen(tmp.c_str(), "w");
    if (!f) return false;
    ads_printf("%s", msg::kSaving);
    bool ok = write_project(f, config());
    if (fclose(f) != 0) ok = false;
    if (ok) ok = replace_with(tmp, path);
    if (!ok) rt_remove(tmp.c_str());
    return ok;
}

// Whether an existing file may be replaced: 1 yes, 0 keep it, -1 cancel.
int may_overwrite(const std::string& path) {
    char found[512] = {};
    if (ads_findfile(path.c_str(), found) != RTNORM) return 1;
    int answer = wcr_yesno(msg::kSaveTitle, msg::kOverwrite, config().p_name.c_str());
    if (answer == ANSWER_CANCEL) return -1;
    return answer == ANSWER_YES ? 1 : 0;
}

}  // namespace

std::string project_file_path(const char* ext) {
    return std::string(wcr().install_dir.c_str()) + "PROJECT" + "\\" + config().p_name.c_str() + "." + ext;
}

bool project_name_usable() {
    FixedText<8> name;
    name = config().p_name.view();
    return is_valid_file(name.buf) == 1;
}

int load_defaults() {
    fill_defaults(config());
    ads_printf("%s", msg::kDefaultsLoaded);
    config().config_changed = 0;
    return 1;
}

int save_project() {
    error_code() = 0;
    if (!project_name_usable()) {
        // A name such as "..\X" would write outside the project folder.
        error_code() = ERR_CFG_OPEN_W;
        report_error();
        return 0;
    }
    std::string path = project_file_path("PRJ");
    std::string backup = project_file_path("BAK");
    int overwrite = may_overwrite(path);
    if (overwrite < 0) {
        ads_printf("%s", msg::kCancelLine);
        return 0;
    }
    if (overwrite == 0) return 1;
    if (!copy_to_backup(path, project_file_path("BA$"), backup)) {
        // Without its backup the old file is not replaced.
        error_code() = ERR_CFG_OPEN_W;
    } else if (write_in_place(project_file_path("TMP"), path)) {
        ads_printf("%s", msg::kSaveDone);
        config().config_changed = 0;
    } else {
        error_code() = ERR_CFG_OPEN_W;
    }
    if (error_code() != 0) {
        report_error();
        return 0;
    }
    return 1;
}

namespace {

// Reads `path` into a copy of the configuration and takes the copy when
// the whole file was read.
void read_into_config(const std::string& path) {
    FILE* f = rt_fopen(path.c_str(), "r");
    if (!f) {
        error_code() = ERR_CFG_OPEN_R;
        return;
    }
    ads_printf("%s", msg::kLoading);
    auto work = std::make_unique<ProjectConfig>(config());
    int err = read_project(f, *work, [](const std::string& t) { ads_printf("%s", t.c_str()); });
    fclose(f);
    if (err) {
        error_code() = err;
        return;
    }
    config() = *work;
    config().config_changed = 0;
}

}  // namespace

int load_project() {
    error_code() = 0;
    struct resbuf* rb = ads_newrb(RTSTR);
    if (!rb) {
        error_code() = ERR_BUFFER_ALLOC;
        return 0;
    }
    rb->resval.rstring = static_cast<char*>(calloc(80, 1));
    if (!rb->resval.rstring) {
        ads_relrb(rb);
        error_code() = ERR_MEMORY_ALLOC;
        return 0;
    }
    std::string dir = std::string(wcr().install_dir.c_str()) + "PROJECT" + "\\";
    if (ads_getfiled(msg::kOpenTitle, dir.c_str(), "PRJ", 2, rb) != RTNORM || rb->restype != RTSTR ||
        !rb->resval.rstring) {
        ads_relrb(rb);
        ads_printf("%s", msg::kCancel);
        return 1;
    }
    std::string path = rb->resval.rstring;
    ads_relrb(rb);
    read_into_config(path);
    if (error_code() != 0) {
        report_error();
        return 0;
    }
    return 1;
}

}  // namespace wcraft
