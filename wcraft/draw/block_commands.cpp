// Block insertion commands. Marker and link blocks are block drawings in the
// install directory, inserted on the layer where the post-processor selects
// them; the current layer is put back once the insertion, with the
// attribute values the user types, is complete.
#include "draw/block_commands.h"

#include <string>

#include "draw/draw_support.h"
#include "draw/messages.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

struct LinkBlock {
    const char* block;
    const char* direction;
};

const LinkBlock kLinkBlocks[] = {
    {"WLINKU", "UP"},
    {"WLINKD", "DOWN"},
    {"WLINKR", "RIGHT"},
    {"WLINKL", "LEFT"},
};

void insert_at(const char* block, const ads_point at) {
    ads_command(RTSTR, "_.INSERT", RTSTR, block, RT3DPOINT, at, RTREAL, 1.0, RTREAL, 1.0, RTREAL, 0.0, 0);
    finish_with_user_answers();
}

// One insertion of an install directory block on `layer`, when the user
// gives a point.
void insert_on_layer(const char* block, const char* layer, const char* prompt) {
    std::string path = install_path(block);
    SavedVar clayer("CLAYER");
    ads_point at;
    if (ads_getpoint(nullptr, prompt, at) != RTNORM) return;
    make_layer_current(layer);
    insert_at(path.c_str(), at);
    clayer.restore();
}

}  // namespace

int relay_marker_command() {
    echo_off();
    insert_on_layer(dmsg::kMarkerBlock, dmsg::kMarkerLayer, dmsg::kMarkerPrompt);
    return 1;
}

int wire_link_command(LinkDirection direction) {
    echo_off();
    const LinkBlock& b = kLinkBlocks[static_cast<int>(direction)];
    ads_printf(dmsg::kLinkDirection, b.direction);
    insert_on_layer(b.block, dmsg::kLinkLayer, dmsg::kLinkPrompt);
    return 1;
}

int sheet_number_block_command() {
    echo_off();
    ads_point at;
    if (ads_getpoint(nullptr, dmsg::kSheetPrompt, at) == RTNORM) insert_at(config().title_block.c_str(), at);
    return 1;
}

}  // namespace wcraft
