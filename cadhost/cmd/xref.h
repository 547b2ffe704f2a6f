// External references: the XREF command, and the references of a drawing
// resolved from their drawing files whenever the drawing is read.
#pragma once

#include <string>

#include "cmd/block_source.h"
#include "cmd/commandline.h"

namespace cadhost::cmd {

// Registers XREF and has the session resolve the references of every
// drawing it reads.
void add_xref_command(CommandLine& cl);

// Resolves every external reference of `d` (read from `drawing_path`) from
// its drawing file. References whose file is missing, or that lead back to
// a drawing being read, stay as they are and are told to `note`.
void resolve_references(db::Drawing& d, const std::string& drawing_path, const BlockImport::Note& note);

// What the attribute definitions of a placed block get.
enum class AttributeMode { Ask, None };
// INSERT's placement of a block the drawing defines: insertion point, X and
// Y scale, rotation, then (with AttributeMode::Ask) its attribute values.
CmdStatus place_block(CommandLine& cl, const std::string& name, AttributeMode attributes);

}  // namespace cadhost::cmd
