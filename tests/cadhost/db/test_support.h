// Helpers shared by the drawing database tests: sample files, temporary
// folders and the external audit of written files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/drawing.h"

namespace cadhost::db::test {

std::string samples_dir();
std::vector<std::string> sample_files();  // empty when the shared samples are missing
std::unique_ptr<Drawing> load(const std::string& path);
std::string temp_dir();  // a fresh folder for this process
// Audit errors reported for the file, -1 when it could not be read,
// nullopt when no auditing tool is installed.
std::optional<int> audit_errors(const std::string& path);
bool auditor_available();
std::vector<EntityRef> walk(const Drawing& d, EntityRef first);
std::string read_all(const std::string& path);

}  // namespace cadhost::db::test
