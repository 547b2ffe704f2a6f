// The drivers: a test's hooks, a script (or piped input) read action by
// action, a person at the terminal, and no input at all.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "dcl/driver.h"

namespace cadhost::dcl {

class TestDriver : public Driver {
public:
    TestDriver(const TestHooks& hooks, std::ostream& out) : m_hooks(hooks), m_out(out) {}
    void run(Dialog& d) override;
    std::optional<std::string> ask_file(const FiledRequest& r, const std::string& shown_default) override;
    bool confirm(const std::string& question) override;
    void message(const std::string& text) override { m_out << text << "\n"; }

private:
    const TestHooks& m_hooks;
    std::ostream& m_out;
};

// Reads one action a line from the input until the dialog closes or the
// line "end"; errors are reported and the next line is read.
class ScriptedDriver : public Driver {
public:
    ScriptedDriver(InputSource& in, std::ostream& out) : m_in(in), m_out(out) {}
    void run(Dialog& d) override;
    std::optional<std::string> ask_file(const FiledRequest& r, const std::string& shown_default) override;
    bool confirm(const std::string& question) override;
    void message(const std::string& text) override { m_out << text << "\n"; }

protected:
    virtual void before_action(const Dialog&) {}
    virtual std::string action_prompt() const { return ""; }
    InputSource& m_in;
    std::ostream& m_out;
};

// The scripted syntax, with the dialog shown before each action.
class TerminalDriver : public ScriptedDriver {
public:
    using ScriptedDriver::ScriptedDriver;
    std::optional<std::string> ask_file(const FiledRequest& r, const std::string& shown_default) override;

protected:
    // The whole dialog when it is first shown (or shown again after another
    // one); after that only the lines an action changed, and the error line
    // for as long as it has text.
    void before_action(const Dialog& d) override;
    std::string action_prompt() const override { return "Dialog action (help for the list): "; }

private:
    const Dialog* m_shown_dialog = nullptr;
    std::vector<std::string> m_shown;  // the lines as last shown
};

// No input at all: every dialog and file dialog is cancelled.
class NullDriver : public Driver {
public:
    void run(Dialog&) override {}
    std::optional<std::string> ask_file(const FiledRequest&, const std::string&) override { return std::nullopt; }
    bool confirm(const std::string&) override { return false; }
    void message(const std::string&) override {}
};

}  // namespace cadhost::dcl
