// Who answers a dialog: the input the host reads from, and the drivers that
// turn it (or a test's hooks) into actions on an open dialog.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "dcl/dialog.h"

namespace cadhost::dcl {

// The host's input in its order (pending answers, running script, terminal).
class InputSource {
public:
    virtual ~InputSource() = default;
    // One whole line; nullopt when no input is left.
    virtual std::optional<std::string> read_line(const std::string& prompt) = 0;
    // One word (ends at a blank or line end); nullopt when no input is left.
    virtual std::optional<std::string> read_token(const std::string& prompt) = 0;
    // A person types the input, so dialogs are shown and help is offered.
    virtual bool is_terminal() const = 0;
};

// What the host's file dialog is asked.
struct FiledRequest {
    std::string title;
    std::string default_name;
    std::string ext;  // without the dot; several separated by ';'
    int flags = 0;
};

// Flags of the file dialog.
enum FiledFlag {
    kFiledNew = 1,          // a file to create: ask before replacing one
    kFiledNoTypeIt = 2,     // no type-it button (no effect without a window)
    kFiledAnyExt = 4,       // any extension may be given
    kFiledSearchDefault = 8,
    kFiledDefaultIsDir = 16,
    kFiledNoReplaceWarning = 32,
    kFiledArbitrary = 128,  // any text is accepted as it is
};

class Driver {
public:
    virtual ~Driver() = default;
    // Acts on the dialog until it is done or there is nothing more to do.
    virtual void run(Dialog& d) = 0;
    // A file name for the file dialog, nullopt for cancel.
    virtual std::optional<std::string> ask_file(const FiledRequest& r, const std::string& shown_default) = 0;
    virtual bool confirm(const std::string& question) = 0;
    virtual void message(const std::string& text) = 0;
};

// Hooks a test installs; while one is installed the test answers everything.
struct TestHooks {
    std::function<void(Dialog&)> on_dialog;  // called once when a dialog starts
    std::function<std::optional<std::string>(const FiledRequest&)> on_file;
    std::function<bool(const std::string&)> on_confirm;  // yes when not set
    bool installed() const { return on_dialog || on_file || on_confirm; }
};

// Input from a fixed text, one line at a time (tests, replayed sessions).
class StringInput : public InputSource {
public:
    explicit StringInput(std::string text, bool terminal = false) : m_text(std::move(text)), m_terminal(terminal) {}
    std::optional<std::string> read_line(const std::string& prompt) override;
    std::optional<std::string> read_token(const std::string& prompt) override;
    bool is_terminal() const override { return m_terminal; }
    const std::string& prompts() const { return m_prompts; }  // every prompt shown, for tests

private:
    std::string m_text;
    size_t m_pos = 0;
    bool m_terminal;
    std::string m_prompts;
};

}  // namespace cadhost::dcl
