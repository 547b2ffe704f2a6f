// ARX and APPLOAD: loading and unloading applications.
#include "cmd/commandline.h"

namespace cadhost::cmd {

namespace {

CmdStatus load(CommandLine& cl, const std::string& file) {
    host::Session& s = cl.session();
    std::string path = s.host_path(file);
    auto r = s.load_app(path);
    if (!r) {
        cl.print(r.error().message + "\n");
        return CmdStatus::Failed;
    }
    return CmdStatus::Done;
}

CmdStatus cmd_arx(CommandLine& cl) {
    host::Session& s = cl.session();
    for (;;) {
        auto a = cl.ask("Enter an option [?/Load/Unload]: ");
        if (!a) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
        std::string u = command_key(*a);
        if (u.empty()) return CmdStatus::Done;
        if (u == "?") {
            for (auto& app : s.apps().apps()) cl.print(app->name + "\n");
            return CmdStatus::Done;
        }
        if (u[0] == 'L') {
            auto f = cl.ask("Runtime extension file to load: ", host::ReadMode::Line);
            if (!f) return CmdStatus::Cancelled;
            return load(cl, *f);
        }
        if (u[0] == 'U') {
            auto n = cl.ask("Unload ARX app: ", host::ReadMode::Line);
            if (!n) return CmdStatus::Cancelled;
            auto st = s.unload_app(*n);
            cl.print(st ? *n + " successfully unloaded.\n" : st.error().message + "\n");
            return st ? CmdStatus::Done : CmdStatus::Failed;
        }
        cl.print("Invalid option keyword.\n");
    }
}

CmdStatus cmd_appload(CommandLine& cl) {
    auto f = cl.ask("Application to load: ", host::ReadMode::Line);
    if (!f) return CmdStatus::Cancelled;
    if (f->empty()) return CmdStatus::Done;
    return load(cl, *f);
}

}  // namespace

void add_app_commands(CommandLine& cl) {
    cl.add({"ARX", cmd_arx});
    cl.add({"APPLOAD", cmd_appload});
}

}  // namespace cadhost::cmd
