// Helpers shared by the drawing database tests: sample files, temporary
// folders and the external audit of written files.
#pragma once

#include <map>
#include <memory>
#include <optional>
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
// An entity as ezdxf reads it from a file (see ezdxf_dump.py).
struct ReadBack {
    std::string block;  // layout block (*Model_Space, *Paper_Space...) or block name
    std::string type;
    std::string handle;
    std::map<std::string, std::string> attribs;  // DXF attribute name -> value as the script prints it
    std::string operator[](const std::string& name) const;  // "" when absent
};
// Every entity ezdxf reads from the file, or nullopt when ezdxf is not
// installed (a file it cannot read is a test failure, with no entities).
std::optional<std::vector<ReadBack>> ezdxf_read(const std::string& path);
// "TYPE in BLOCK" -> count, for comparing what two files hold; layout
// blocks in upper case (*MODEL_SPACE, *PAPER_SPACE).
std::map<std::string, int> counts_by_type(const std::vector<ReadBack>& entities);
std::vector<EntityRef> walk(const Drawing& d, EntityRef first);
std::string read_all(const std::string& path);

}  // namespace cadhost::db::test
