// OPEN, NEW, QSAVE, SAVEAS and QUIT.
//
// A drawing with unsaved changes makes OPEN and NEW ask first whether to
// discard them. Scripts are often written for one case or the other, so
// when there is nothing to discard a first answer of Y or N (which would be
// the answer to that question) is accepted and skipped: the sequences
// "OPEN Y name", "OPEN name", "NEW Y <Enter>" and "NEW <Enter>" all work
// whether or not the drawing was changed.
#include <filesystem>
#include <optional>

#include "acrx.h"
#include "cmd/commandline.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

bool is_yes_no(const std::string& a) {
    std::string u = host::to_upper(a);
    return u == "Y" || u == "N" || u == "YES" || u == "NO" || u == "_Y" || u == "_N";
}

std::string with_extension(const std::string& name) {
    std::filesystem::path p(name);
    if (p.has_extension()) return name;
    return name + host::kDrawingExt;
}

// At a terminal the person is told what was done, with the full path.
// Piped output stays as it was: programs read it line by line.
void report(CommandLine& cl, const std::string& what) {
    if (cl.session().at_terminal()) cl.print(what + "\n");
}

std::string display_name(const host::Session& s) {
    return s.drawing_path().empty() ? std::string("Drawing") + host::kDrawingExt : s.drawing_path();
}

// Asks the discard question when there are changes; then the next prompt.
// Returns the answer to `prompt`, or nullopt when the command stops.
std::optional<std::string> after_discard_question(CommandLine& cl, const std::string& prompt) {
    host::Session& s = cl.session();
    bool changed = s.has_drawing() && s.drawing().dbmod() > 0;
    if (changed) {
        auto yes = cl.ask_yes_no("Really want to discard all changes to drawing? <N>: ", false);
        if (!yes || !*yes) return std::nullopt;
        return cl.ask_file_name(prompt);
    }
    auto a = cl.ask_file_name(prompt);
    if (a && is_yes_no(*a)) {
        if (host::to_upper(*a).find('N') != std::string::npos) return std::nullopt;
        a = cl.ask_file_name(prompt);
    }
    return a;
}

CmdStatus cmd_open(CommandLine& cl) {
    host::Session& s = cl.session();
    auto name = after_discard_question(cl, "Enter name of drawing to open: ");
    if (!name) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
    if (name->empty()) return CmdStatus::Done;
    std::string path = s.host_path(with_extension(*name));
    if (!std::filesystem::exists(path)) {
        cl.print("Cannot find the drawing \"" + *name + "\".\n");
        return CmdStatus::Rejected;
    }
    auto st = s.open_drawing(path);
    if (!st) {
        cl.print("Unable to open drawing: " + st.error().what() + "\n");
        return CmdStatus::Failed;
    }
    report(cl, "Opened " + s.drawing_path() + ".");
    return CmdStatus::Done;
}

CmdStatus cmd_new(CommandLine& cl) {
    host::Session& s = cl.session();
    auto name = after_discard_question(cl, "Enter name of new drawing or . for none <.>: ");
    if (!name) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
    std::string n = *name == "." ? "" : *name;
    s.new_drawing(n.empty() ? "" : s.host_path(with_extension(n)));
    return CmdStatus::Done;
}

std::optional<db::DxfVersion> parse_format(const std::string& a) {
    std::string u = host::to_upper(a);
    if (!u.empty() && u[0] == '_') u.erase(0, 1);
    if (auto v = db::version_from_acadver(u)) return v;
    if (!u.empty() && u[0] == 'R') u.erase(0, 1);
    static const std::pair<const char*, db::DxfVersion> names[] = {
        {"12", db::DxfVersion::R12},     {"2000", db::DxfVersion::R2000}, {"2004", db::DxfVersion::R2004},
        {"2007", db::DxfVersion::R2007}, {"2010", db::DxfVersion::R2010}, {"2013", db::DxfVersion::R2013},
        {"2018", db::DxfVersion::R2018},
    };
    for (auto& [n, v] : names)
        if (u == n) return v;
    return std::nullopt;
}

const char* format_name(db::DxfVersion v) {
    switch (v) {
    case db::DxfVersion::R12: return "R12";
    case db::DxfVersion::R2000: return "2000";
    case db::DxfVersion::R2004: return "2004";
    case db::DxfVersion::R2007: return "2007";
    case db::DxfVersion::R2010: return "2010";
    case db::DxfVersion::R2013: return "2013";
    case db::DxfVersion::R2018: return "2018";
    }
    return "2000";
}

// What the version saved could not hold, said on the command line.
void report_losses(CommandLine& cl, db::DxfVersion version) {
    std::string lost = cl.session().drawing().last_write_report().describe(version);
    if (!lost.empty()) cl.print(lost);
}

// The name prompt, the replace question and the save itself.
CmdStatus save_as(CommandLine& cl, db::DxfVersion version) {
    host::Session& s = cl.session();
    auto name = cl.ask_file_name("Save drawing as <" + display_name(s) + ">: ");
    if (!name) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
    std::string path = name->empty() ? (s.drawing_path().empty() ? s.host_path(std::string("Drawing") + host::kDrawingExt) : s.drawing_path())
                                     : s.host_path(with_extension(*name));
    if (std::filesystem::exists(path)) {
        auto yes = cl.ask_yes_no("A drawing with this name already exists.\nDo you want to replace it? <N>: ", false);
        if (!yes) return CmdStatus::Cancelled;
        if (!*yes) return CmdStatus::Rejected;
    }
    auto st = s.save_drawing(path, version);
    if (!st) {
        cl.print("Error saving " + path + ": " + st.error().what() + "\n");
        return CmdStatus::Failed;
    }
    report_losses(cl, version);
    report(cl, "Saved " + std::filesystem::absolute(path).lexically_normal().string() + " (" + format_name(version) +
                   " format).");
    return CmdStatus::Done;
}

CmdStatus cmd_saveas(CommandLine& cl) {
    host::Session& s = cl.session();
    if (!s.has_drawing()) return CmdStatus::Failed;
    db::DxfVersion cur = s.drawing().version();
    for (;;) {
        auto f = cl.ask(std::string("Enter file format [R12/2000/2004/2007/2010/2013/2018] <") + format_name(cur) + ">: ");
        if (!f) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
        if (f->empty()) return save_as(cl, cur);
        if (auto v = parse_format(*f)) return save_as(cl, *v);
        cl.print("Invalid option keyword.\n");
    }
}

CmdStatus cmd_qsave(CommandLine& cl) {
    host::Session& s = cl.session();
    if (!s.has_drawing()) return CmdStatus::Failed;
    if (s.drawing_path().empty()) return save_as(cl, s.drawing().version());
    auto st = s.save_drawing(s.drawing_path(), s.drawing().version());
    if (!st) {
        cl.print("Error saving " + s.drawing_path() + ": " + st.error().what() + "\n");
        return CmdStatus::Failed;
    }
    report_losses(cl, s.drawing().version());
    report(cl, "Saved " + s.drawing_path() + " (" + format_name(s.drawing().version()) + " format).");
    return CmdStatus::Done;
}

CmdStatus cmd_quit(CommandLine& cl) {
    host::Session& s = cl.session();
    if (s.has_drawing() && s.drawing().dbmod() > 0) {
        auto yes = cl.ask_yes_no("Really want to discard all changes to drawing? <N>: ", false);
        if (!yes) return CmdStatus::Cancelled;
        if (!*yes) return CmdStatus::Rejected;
    }
    s.apps().broadcast(kQuitMsg);
    cl.request_quit(0);
    return CmdStatus::Done;
}

}  // namespace

void add_file_commands(CommandLine& cl) {
    cl.add({"OPEN", cmd_open});
    cl.add({"NEW", cmd_new});
    cl.add({"SAVEAS", cmd_saveas});
    cl.add({"QSAVE", cmd_qsave});
    cl.add({"SAVE", cmd_qsave});
    cl.add({"QUIT", cmd_quit});
}

}  // namespace cadhost::cmd
