// Message texts of the drawing database, in one place.
#pragma once

#include <string>

#include "core/result.h"

namespace cadhost::db::msg {

inline constexpr const char* expected_section = "expected 0/SECTION";
inline constexpr const char* section_without_name = "SECTION without a 2 group naming it";
inline constexpr const char* missing_endsec = "section not closed by 0/ENDSEC";
inline constexpr const char* unexpected_end = "unexpected end of file inside a section";
inline constexpr const char* stray_in_tables = "entry outside a table in TABLES";
inline constexpr const char* missing_endtab = "table not closed by 0/ENDTAB";
inline constexpr const char* stray_in_blocks = "entity outside a block definition in BLOCKS";
inline constexpr const char* missing_endblk = "block definition not closed by 0/ENDBLK";
inline constexpr const char* header_entity = "object inside HEADER";
inline constexpr const char* cannot_open = "cannot open file";
inline constexpr const char* cannot_read = "cannot read file";
inline constexpr const char* not_a_drawing = "not a drawing file";
inline constexpr const char* is_a_folder = "it is a folder";
inline constexpr const char* is_empty = "the file is empty";
inline constexpr const char* cannot_write = "cannot write file";
inline constexpr const char* no_entity = "no such entity";
inline constexpr const char* no_name_group = "list has no -1 group naming the entity";
inline constexpr const char* type_change = "entity type (group 0) cannot be changed";
inline constexpr const char* bad_value = "value of the wrong type for its group code";
inline constexpr const char* bad_layer_name = "invalid layer name";
inline constexpr const char* unknown_type = "entity type that cannot be made";
inline constexpr const char* missing_group = "required group missing";
inline constexpr const char* no_block = "block not defined";
inline constexpr const char* sub_without_parent = "ATTRIB, VERTEX or SEQEND without a complex entity to follow";
inline constexpr const char* endblk_without_block = "ENDBLK without a BLOCK being defined";
inline constexpr const char* nested_block = "BLOCK while another block is being defined";
inline constexpr const char* sub_entity_delete = "sub-entities are deleted with their main entity";
inline constexpr const char* not_an_entity = "not a graphical entity";
inline constexpr const char* bad_header_name = "invalid header variable name";
inline constexpr const char* deleted_entity = "entity is deleted";
inline constexpr const char* no_such_entities = " has no such entities";
inline constexpr const char* not_converted = " not saved: they could not be converted";
inline constexpr const char* other_layouts_lost = " entities of layouts other than the first paper space not saved: R12 has one paper space";
inline constexpr const char* unregistered_app = "XDATA of an application not registered";

}  // namespace cadhost::db::msg

namespace cadhost::db {
inline Error fail(std::string message) {
    Error e;
    e.message = std::move(message);
    return e;
}
}  // namespace cadhost::db
