// Relay contact display: beside each coil, text lines with the places of
// its contacts, and at the relay marker naming the coil, one small block
// per contact. Everything goes on the coil text layer, emptied first.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "extract/store.h"
#include "host/host_api.h"

namespace wcraft {

// The host variables the coil display changes, as they were before.
struct CoilDisplaySaved {
    struct resbuf attdia {}, attreq {}, clayer {};
    bool have_attdia = false, have_attreq = false, have_clayer = false;
};

// Saves ATTDIA, ATTREQ and CLAYER, has inserted blocks ask for attribute
// values on the command line, empties the coil text layer (making it when
// missing) and makes it current. Returns 1, or 0 with the error code set
// when the host refused one of those commands; the variables are to be
// set back either way.
int prepare_coil_display(CoilDisplaySaved& saved);
// Sets the three host variables back.
void restore_coil_display(CoilDisplaySaved& saved);

// The coil text of `coil` (its block is `block`) and, when contact blocks
// are on, its contact blocks.
void draw_coil_text(const Component& coil, const ads_name block, FILE* log);
// One block per contact of `coil` below (or beside) the first relay marker
// of the open sheet naming it.
void insert_contact_blocks(const Component& coil, FILE* log);
// A TEXT entity on the coil text layer.
void make_coil_text(double x, double y, double height, double rotation, const char* text);

// Longest coil text line, in characters.
inline constexpr size_t kCoilLineChars = 127;

// The coil text lines of a contact list with `per_line` entries a line. A
// line is never longer than kCoilLineChars: an entry that would make it
// longer starts a new line, which counts its entries afresh. Continuing
// rather than cutting keeps every contact's place on the sheet.
std::vector<std::string> coil_text_lines(const std::vector<XdataNode>& contacts, long per_line);

}  // namespace wcraft
