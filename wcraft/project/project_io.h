// Loading and saving the project configuration through the host: the
// defaults, the project file in the install directory's PROJECT folder,
// the overwrite question and the backup.
#pragma once

#include <string>

namespace wcraft {

// Fills the configuration with its defaults and says so; returns 1.
int load_defaults();
// Writes the project file; 1 on success or when the user declines to
// overwrite, 0 on cancel or error (reported before returning).
int save_project();
// Asks for a project file and reads it; 1 on success or cancel, 0 on error
// (reported before returning). A failed read keeps the configuration.
int load_project();

// Whether p_name can name a file: a project file may carry any text on its
// name line, and the name becomes part of file paths and command lines.
bool project_name_usable();

// install directory + "PROJECT\" + p_name + "." + ext
std::string project_file_path(const char* ext);

}  // namespace wcraft
