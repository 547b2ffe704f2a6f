// The host's file dialog: asks a driver (or the command line) for a file
// name and checks it against the request's extension and flags.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "dcl/driver.h"

namespace cadhost::dcl {

// Dialog: the driver answers. Prompt: a command-line prompt (the file dialog
// switched off); typing "~" there opens the dialog after all.
enum class FiledMode { Dialog, Prompt };

// The host's file layer: whether a file exists, and where the search path
// finds a name.
struct FileChecks {
    std::function<bool(const std::string&)> exists;
    std::function<std::optional<std::string>(const std::string&)> find;
    // The names of the files in a folder ("" for the current one) that
    // match a wildcard pattern, without regard to case, sorted.
    std::function<std::vector<std::string>(const std::string& folder, const std::string& pattern)> list = nullptr;
};

// The chosen path, or nullopt when the user cancelled.
Result<std::optional<std::string>> run_file_dialog(const FiledRequest& r, FiledMode mode, Driver& dialog,
                                                   InputSource* prompt_input, const FileChecks& checks);

}  // namespace cadhost::dcl
