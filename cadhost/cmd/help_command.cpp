// HELP and "?": the list of commands, one line each, or what one command
// does and what it asks. The texts of the host's commands are in one table.
#include <cstdio>

#include "cmd/commandline.h"
#include "cmd/completion.h"

namespace cadhost::cmd {

namespace {

struct HelpText {
    const char* name;
    const char* summary;  // one line
    const char* asks;     // the prompts, in order
};

const HelpText kHelp[] = {
    {"?", "lists the commands, or describes one (same as HELP)", "Command name: (only when one follows on the line)"},
    {"APPLOAD", "loads an application module or AutoLISP file", "Application to load: (a path; .so, .arx or .lsp)"},
    {"ARX", "loads, unloads or lists application modules", "Enter an option [?/Load/Unload]:, then the module's path or name"},
    {"ERASE", "erases objects", "Select objects: (ALL, Last, Previous, W, C, ...; Enter ends)"},
    {"GRAPHSCR", "switches to the drawing screen (nothing to do without one)", "nothing"},
    {"HELP", "lists the commands, or describes the one named after it", "Command name: (only when one follows on the line)"},
    {"INSERT", "inserts a block of the drawing or a block drawing file",
     "block name (or name=path), insertion point, X and Y scale, rotation, attribute values when ATTREQ is 1"},
    {"LAYER", "lists, makes, sets and changes layers",
     "?/Make/Set/New/ON/OFF/Color/Ltype/Freeze/Thaw/LOck/Unlock:, then the option's names or value; Enter ends"},
    {"LINE", "draws lines from point to point", "From point:, To point: (Enter ends, U undoes the last segment, C closes)"},
    {"LINETYPE", "lists, loads and sets linetypes", "?/Create/Load/Set:, then linetype names and the file to search"},
    {"LIST", "shows the data of the selected objects, field by field", "Select objects:"},
    {"MSLIDE", "makes a slide of the current view", "Slide file <drawing name>:"},
    {"NEW", "starts a new drawing", "Really want to discard all changes to drawing? (with unsaved changes), the new drawing's name or ."},
    {"OPEN", "opens a drawing file", "Really want to discard all changes to drawing? (with unsaved changes), Enter name of drawing to open:"},
    {"PLINE", "draws a polyline", "From point:, then points, Arc/Close/Halfwidth/Length/Undo/Width options"},
    {"PLOT", "plots the drawing to PDF and SVG files",
     "What to plot -- Display/Extents/Limits/View/Window <D>:, then the settings to change (Enter plots)"},
    {"QSAVE", "saves the drawing under its name (an unnamed drawing is asked for one)", "nothing, or Save drawing as:"},
    {"QUIT", "ends the session", "Really want to discard all changes to drawing? (with unsaved changes)"},
    {"SAVE", "saves the drawing under its name (as QSAVE)", "nothing, or Save drawing as:"},
    {"SAVEAS", "saves the drawing in a chosen format under a chosen name",
     "Enter file format [R12/2000/2004/2007/2010/2013/2018]:, Save drawing as:, whether to replace an existing file"},
    {"SCRIPT", "runs the commands of a script file", "Script file:"},
    {"SHELL", "runs a system command", "OS Command:"},
    {"TEXTSCR", "switches to the text screen (nothing to do without one)", "nothing"},
    {"U", "undoes the last command", "nothing"},
    {"UNDO", "undoes commands, or marks and groups them", "Auto/Control/BEgin/End/Mark/Back/<Number>:"},
    {"ZOOM", "changes the current view", "All/Center/Extents/Window/<Scale(X)>:, then the option's points or values"},
};

const HelpText* help_for(const std::string& key) {
    for (const HelpText& h : kHelp)
        if (key == h.name) return &h;
    return nullptr;
}

std::string summary_of(const CommandEntry& c) {
    if (!c.source.empty()) return "defined by " + c.source;
    const HelpText* h = help_for(c.name);
    return h ? h->summary : "a host command";
}

void list_commands(CommandLine& cl) {
    cl.print("Commands (HELP NAME tells more; a system variable's name sets it):\n");
    for (const CommandEntry& c : known_commands(cl)) {
        char line[48];
        snprintf(line, sizeof line, "  %-14s ", c.name.c_str());
        cl.print(std::string(line) + summary_of(c) + "\n");
    }
}

CmdStatus describe_command(CommandLine& cl, const std::string& typed) {
    std::string key = command_key(typed);
    if (key.rfind("C:", 0) == 0) key.erase(0, 2);
    if (key.empty()) return list_commands(cl), CmdStatus::Done;
    for (const CommandEntry& c : known_commands(cl)) {
        if (c.name != key) continue;
        cl.print(c.name + ": " + summary_of(c) + ".\n");
        const HelpText* h = c.source.empty() ? help_for(c.name) : nullptr;
        if (h) cl.print(std::string("  It asks: ") + h->asks + ".\n");
        else if (!c.source.empty()) cl.print("  Its prompts are the application's own.\n");
        return CmdStatus::Done;
    }
    if (host::Sysvars::find(key)) {
        cl.print(key + " is a system variable: typed as a command it shows its value and asks for a new one.\n");
        return CmdStatus::Done;
    }
    cl.print("No command \"" + key + "\". HELP lists the commands.\n");
    return CmdStatus::Rejected;
}

CmdStatus cmd_help(CommandLine& cl) {
    // "HELP" alone lists; a name on the same line (or given by a command
    // call) is described. Asking would make "HELP" at a terminal wait for
    // a second Enter.
    if (!cl.session().input().has_more_on_line()) return list_commands(cl), CmdStatus::Done;
    auto name = cl.ask("Command name: ");
    if (!name) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
    return describe_command(cl, *name);
}

}  // namespace

void add_help_command(CommandLine& cl) {
    cl.add({"HELP", cmd_help, true});
    cl.add({"?", cmd_help, true});
}

}  // namespace cadhost::cmd
