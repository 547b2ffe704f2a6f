// Connects the dialog engine to the session: dialogs read their actions
// from the host's input, write to its command line, find DCL files and
// slides through the file layer and the support path.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "cmd/commandline.h"
#include "core/result.h"
#include "dcl/driver.h"

namespace cadhost::cmd {

// The folder of the host's own support files (the DCL base file).
std::string builtin_support_dir();

class DialogBinding : public dcl::InputSource {
public:
    DialogBinding(host::Session& s, CommandLine& cl);
    ~DialogBinding() override;

    std::optional<std::string> read_line(const std::string& prompt) override;
    std::optional<std::string> read_token(const std::string& prompt) override;
    bool is_terminal() const override;

private:
    class OutBuf;
    host::Session& m_session;
    CommandLine& m_cl;
    std::unique_ptr<OutBuf> m_buf;
    std::unique_ptr<std::ostream> m_out;
};

void add_mslide_command(CommandLine& cl);

// Asks for a file name as getfiled does: in the file dialog, or at a prompt
// when FILEDIA is 0. nullopt when cancelled; an error when it cannot ask.
Result<std::optional<std::string>> get_file_name(host::Session& s, const dcl::FiledRequest& req);

}  // namespace cadhost::cmd
