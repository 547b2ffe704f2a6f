// UNDO with groups and marks, and U. The state at the start of a group (or
// at a mark) is kept as the drawing's own text; undoing reads it back.
// Only grouped or marked changes can be undone.
#include <vector>

#include "cmd/commandline.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

UndoState& state_for(CommandLine& cl) {
    host::Session& s = cl.session();
    UndoState& st = cl.undo_state();
    if (st.serial != s.drawing_serial() && st.open_groups == 0) {
        // Another drawing: its history starts empty.
        st = UndoState{};
        st.serial = s.drawing_serial();
    }
    return st;
}

void keep_state(host::Session& s, UndoState& st) {
    st.saved.push_back(s.drawing().write_text(s.drawing().version()));
}

CmdStatus undo_back(CommandLine& cl) {
    host::Session& s = cl.session();
    UndoState& st = state_for(cl);
    if (st.saved.empty()) {
        cl.print("Everything has been undone\n");
        return CmdStatus::Done;
    }
    std::string text = std::move(st.saved.back());
    st.saved.pop_back();
    std::string name = s.drawing_path().empty() ? "drawing" : s.drawing_path();
    auto d = db::Drawing::read_text(text, name);
    if (!d) {
        cl.print("Cannot undo: " + d.error().what() + "\n");
        return CmdStatus::Failed;
    }
    st.open_groups = 0;
    s.restore_drawing(d.release());
    // The restored state differs from the file: mark it changed.
    if (auto v = s.drawing().header_var("$CLAYER")) (void)s.drawing().set_header_var("$CLAYER", *v);
    st.serial = s.drawing_serial();
    cl.print("GROUP\n");
    return CmdStatus::Done;
}

CmdStatus cmd_undo(CommandLine& cl) {
    host::Session& s = cl.session();
    auto a = cl.ask("Auto/Control/BEgin/End/Mark/Back/<Number>: ");
    if (!a) return CmdStatus::Cancelled;
    std::string u = command_key(*a);
    UndoState& st = state_for(cl);
    if (u == "BE" || u == "BEGIN" || u == "M" || u == "MARK") {
        if (st.open_groups++ == 0 || u[0] == 'M') keep_state(s, st);
        if (u[0] == 'M') st.open_groups--;
        return CmdStatus::Done;
    }
    if (u == "E" || u == "END") {
        if (st.open_groups > 0) --st.open_groups;
        return CmdStatus::Done;
    }
    if (u.empty() || u == "B" || u == "BACK" || u == "U" || u == "1") return undo_back(cl);
    if (u == "A" || u == "AUTO" || u == "C" || u == "CONTROL") {
        auto more = cl.ask("Enter an option: ");
        return more ? CmdStatus::Done : CmdStatus::Cancelled;
    }
    int n = std::atoi(u.c_str());
    if (n <= 0) {
        cl.print("Invalid option keyword.\n");
        return CmdStatus::Rejected;
    }
    for (int i = 0; i < n; ++i) undo_back(cl);
    return CmdStatus::Done;
}

}  // namespace

void add_undo_commands(CommandLine& cl) {
    cl.add({"UNDO", cmd_undo});
    cl.add({"U", undo_back});
}

}  // namespace cadhost::cmd
