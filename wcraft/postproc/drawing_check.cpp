// The project drawing check: the post-processor settings on the command
// line, then whether the project's drawings can be found.
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/setup.h"
#include "postproc/messages.h"
#include "postproc/postproc.h"
#include "postproc/run_files.h"

namespace wcraft {

namespace {

bool found(const std::string& path) {
    char where[512];
    return ads_findfile(path.c_str(), where) == RTNORM;
}

std::string drawing_file(const std::string& base) { return base + "." + kDrawingExt; }

int check_file_names(const ProjectConfig& c) {
    ads_printf("%s", pmsg::kByFile);
    int specified = 0, ok = 0;
    for (int i = 0; i < kMaxFileNames; ++i) {
        if (c.f_names[i].view().substr(0, 4) == kListEnd) break;
        ++specified;
        std::string path = drawing_file(std::string(c.p_dir.c_str()) + "\\" + c.f_names[i].c_str());
        if (found(path)) ++ok;
        else ads_printf(pmsg::kNotFound, path.c_str());
    }
    if (specified == ok) {
        ads_printf(pmsg::kFilesOk, specified, ok);
        return 1;
    }
    ads_printf(pmsg::kFilesMissing, specified, ok);
    return 0;
}

int check_mask(const ProjectConfig& c) {
    ads_printf("%s", pmsg::kByMask);
    int count = 0;
    std::string last;
    for (int n = 1; n <= 999; ++n) {
        std::string sheet = sheet_text_of(n);
        std::string path = drawing_file(std::string(c.p_dir.c_str()) + "\\" + c.f_mask.c_str() + sheet);
        if (!found(path)) {
            ads_printf(pmsg::kNotFound, path.c_str());
            break;
        }
        ++count;
        last = sheet;
    }
    if (count > 0) {
        ads_printf(pmsg::kMaskOk, count, last.c_str());
        return 1;
    }
    ads_printf("%s", pmsg::kMaskNone);
    return 0;
}

int check_directory(const ProjectConfig& c) {
    ads_printf(pmsg::kByDirectory, c.p_dir.c_str());
    size_t count = list_files(std::string(c.p_dir.c_str()) + "\\*." + kDrawingExt).size();
    if (count > 0) {
        ads_printf(pmsg::kDirOk, static_cast<int>(count));
        return 1;
    }
    ads_printf("%s", pmsg::kDirNone);
    return 0;
}

}  // namespace

int project_drawing_check() {
    const ProjectConfig& c = config();
    ads_printf("%s", pmsg::kCheckHeading);
    ads_printf(pmsg::kCheckName, c.p_name.c_str());
    ads_printf(pmsg::kCheckTitle, c.p_title.c_str());
    ads_printf(pmsg::kCheckDir, c.p_dir.c_str());
    ads_printf("%s", pmsg::kControlHeading);
    write_control_lines(c, nullptr);
    ads_printf("%s", pmsg::kIdentifiedBy);
    switch (c.f_mode) {
        case FM_FILENAME: return check_file_names(c);
        case FM_MASK: return check_mask(c);
        default: return check_directory(c);
    }
}

}  // namespace wcraft
