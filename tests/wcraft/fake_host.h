// A stand-in for the host's C interface, for tests of the module's logic
// without a running host: captured output, queued answers, AutoLISP
// variables, a drive mapped to a scratch folder, and dialogs that a test
// answers through handlers.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "adsdlg.h"
#include "ads.h"

namespace wcraft::test {

struct FakeDialog {
    std::string name;
    std::map<std::string, std::string> tiles;
    std::map<std::string, CLIENTFUNC> actions;
    std::map<std::string, int> modes;
    std::map<std::string, std::vector<std::string>> lists;
    bool done = false;
    int status = 0;

    // A person's actions: each calls the tile's action as the host would.
    void type(const std::string& key, const std::string& value);
    void press(const std::string& key);
    void select(const std::string& key, int row);
    void ok() { press("accept"); }
    void cancel() { press("cancel"); }
    const std::string& error() { return tiles["errormsg"]; }
};

using DialogHandler = std::function<void(FakeDialog&)>;

struct FakeHost {
    std::filesystem::path drive;  // the folder drive C: maps to
    std::string out;
    std::deque<std::optional<std::string>> answers;  // nullopt answers are Escape
    std::deque<DialogHandler> dialogs;               // one handler per dialog started
    std::deque<std::optional<std::string>> files;    // file dialog answers
    std::vector<std::string> dialog_names;            // every dialog opened, in order
    std::vector<std::string> alerts, failures, commands;
    std::map<std::string, std::string> lisp_strings;
    std::map<std::string, int> lisp_ints;
    std::vector<std::string> defined;
    struct resbuf* args = nullptr;  // arguments of the call being made
    int funcode = -1;

    // Host path of a Windows-style path on drive C: (names in lower case,
    // so that the lookup ignores case as the host's file layer does).
    std::filesystem::path host_path(const std::string& path) const;
};

FakeHost& fake();
void reset_fake(const std::filesystem::path& drive);

// Builds an argument list of strings and integers (integers as "#12").
struct resbuf* make_args(const std::vector<std::string>& items);

}  // namespace wcraft::test
