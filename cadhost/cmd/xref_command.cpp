// XREF: attaches a drawing file as an external reference (a block flagged
// as one, keeping the file's path, whose entities are the file's model
// space) and inserts it; lists and reloads the references of the drawing.
#include "cmd/xref.h"
#include "select/wildcard.h"

namespace cadhost::cmd {

namespace {

struct Reference {
    std::string name;
    std::string path;  // BLOCK group 1, as attached
    int flags = 0;
};

std::vector<Reference> references_of(db::Drawing& d) {
    std::vector<Reference> out;
    for (auto rec = d.tblnext("BLOCK", true); rec; rec = d.tblnext("BLOCK", false))
        if (int flags = static_cast<int>(group_int(*rec, 70)); flags & kBlockExternal)
            out.push_back({group_string(*rec, 2), group_string(*rec, 1), flags});
    return out;
}

// The block name of a drawing file: its base name without the extension, upper case.
std::string reference_name(const std::string& path) {
    auto sep = path.find_last_of("/\\:");
    std::string file = path.substr(sep == std::string::npos ? 0 : sep + 1);
    auto dot = file.rfind('.');
    if (dot != std::string::npos && dot > 0) file.erase(dot);
    return host::to_upper(file);
}

BlockImport import_for(CommandLine& cl) {
    host::Session& s = cl.session();
    return BlockImport(s.drawing(), s.drawing_path(), [&cl](const std::string& note) { cl.print(note); });
}

CmdStatus attach(CommandLine& cl) {
    host::Session& s = cl.session();
    auto a = cl.ask_file_name("Xref to Attach: ");
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    // A file named without an extension is the drawing file of that name.
    std::string given = *a;
    auto sep = given.find_last_of("/\\:");
    if (given.find('.', sep == std::string::npos ? 0 : sep + 1) == std::string::npos) given += host::kDrawingExt;
    std::string name = reference_name(given);
    if (auto rec = s.drawing().tblsearch("BLOCK", name)) {
        if (!(group_int(*rec, 70) & kBlockExternal)) {
            cl.print("Xref " + name + ": a block of that name is defined in this drawing; not attached.\n");
            return CmdStatus::Failed;
        }
        cl.print("Xref " + name + " has already been loaded.\n");
        return place_block(cl, name, AttributeMode::None);
    }
    if (find_reference_file(given, s.drawing_path()).empty()) {
        cl.print("\"" + given + "\": Can't find file.\n");
        return CmdStatus::Failed;
    }
    cl.print("Attach Xref " + name + ": " + given + "\n");
    auto r = import_for(cl).define_reference(name, given, 0);
    if (!r) {
        cl.print("Cannot attach xref " + name + ": " + r.error().what() + "\n");
        return CmdStatus::Failed;
    }
    if (*r != BlockImport::Outcome::Resolved) return CmdStatus::Failed;
    cl.print(name + " loaded.\n");
    return place_block(cl, name, AttributeMode::None);
}

// The references whose names match a pattern ("*" for all), or a list of
// names separated by commas.
std::vector<Reference> chosen(db::Drawing& d, const std::string& answer) {
    std::vector<Reference> out;
    for (const Reference& r : references_of(d)) {
        auto m = select::wcmatch(host::to_upper(r.name), host::to_upper(answer), select::CaseMode::Sensitive);
        if (m) out.push_back(r);
    }
    return out;
}

CmdStatus reload(CommandLine& cl) {
    auto a = cl.ask("Xref(s) to reload: ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    auto refs = chosen(cl.session().drawing(), *a);
    if (refs.empty()) {
        cl.print("No matching Xref names found.\n");
        return CmdStatus::Failed;
    }
    BlockImport import = import_for(cl);
    CmdStatus status = CmdStatus::Done;
    for (const Reference& ref : refs) {
        cl.print("Reload Xref " + ref.name + ": " + ref.path + "\n");
        auto r = import.define_reference(ref.name, ref.path, ref.flags);
        if (!r) cl.print("Cannot reload xref " + ref.name + ": " + r.error().what() + "\n");
        if (!r || *r != BlockImport::Outcome::Resolved) status = CmdStatus::Failed;
        else cl.print(ref.name + " loaded.\n");
    }
    return status;
}

CmdStatus list(CommandLine& cl) {
    auto a = cl.ask("Xref(s) to list <*>: ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    auto refs = chosen(cl.session().drawing(), a->empty() ? "*" : *a);
    for (const Reference& r : refs) cl.print(r.name + "  " + r.path + "\n");
    cl.print("Total Xref(s): " + std::to_string(refs.size()) + "\n");
    return CmdStatus::Done;
}

CmdStatus cmd_xref(CommandLine& cl) {
    auto a = cl.ask("?/Reload/<Attach>: ");
    if (!a) return CmdStatus::Cancelled;
    std::string k = command_key(*a);
    if (k.empty() || k == "A" || k == "ATTACH") return attach(cl);
    if (k == "?") return list(cl);
    if (k == "R" || k == "RELOAD") return reload(cl);
    cl.print("Invalid option keyword.\n");
    return CmdStatus::Rejected;
}

}  // namespace

void resolve_references(db::Drawing& d, const std::string& drawing_path, const BlockImport::Note& note) {
    auto refs = references_of(d);
    if (refs.empty()) return;
    BlockImport import(d, drawing_path, note);
    for (const Reference& ref : refs) {
        auto r = import.define_reference(ref.name, ref.path, ref.flags);
        if (!r) note("Xref " + ref.name + ": " + r.error().what() + "\n");
    }
    d.clear_dbmod();
}

void add_xref_command(CommandLine& cl) {
    cl.add({"XREF", cmd_xref});
    host::Session* s = &cl.session();
    s->set_drawing_read_hook([s](db::Drawing& d, const std::string& path) {
        resolve_references(d, path, [s](const std::string& note) { s->print(note); });
    });
}

}  // namespace cadhost::cmd
