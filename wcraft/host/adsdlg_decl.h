// Dialog calls of the host, declared here for builds against a host whose
// own dialog header is not installed; the host header wins when present.
#pragma once

extern "C" {
typedef void* ads_hdlg;
typedef void* ads_htile;
typedef struct {
    ads_hdlg dialog;
    ads_htile tile;
    char* value;
    void* client_data;
    int reason;
    long x, y;
} ads_callback_packet;
typedef void (*CLIENTFUNC)(ads_callback_packet*);
#define NULLCB ((CLIENTFUNC)0)
#define MODE_ENABLE 0
#define MODE_DISABLE 1
#define MODE_SETFOCUS 2
#define MODE_SETSEL 3
#define MODE_FLIP 4
#define LIST_CHANGE 1
#define LIST_APPEND 2
#define LIST_NEW 3
#define CBR_SELECT 1
#define CBR_LOST_FOCUS 2
#define CBR_DRAG 3
#define CBR_DOUBLE_CLICK 4
#define DLGCANCEL 0
#define DLGOK 1
#define DLGALLDONE -1
#define DLGSTATUS 2
#define TILE_STR_LIMIT 255

int ads_load_dialog(const char* dclfile, int* dcl_id);
int ads_unload_dialog(int dcl_id);
int ads_new_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def_callback, ads_hdlg* hdlg);
int ads_start_dialog(ads_hdlg hdlg, int* status);
int ads_done_dialog(ads_hdlg hdlg, int status);
int ads_term_dialog(void);
int ads_action_tile(ads_hdlg hdlg, const char* key, CLIENTFUNC fn);
int ads_set_tile(ads_hdlg hdlg, const char* key, const char* value);
int ads_get_tile(ads_hdlg hdlg, const char* key, char* value, int maxlen);
int ads_mode_tile(ads_hdlg hdlg, const char* key, short mode);
int ads_start_list(ads_hdlg hdlg, const char* key, short operation, short index);
int ads_add_list(const char* item);
int ads_end_list(void);
int ads_dimensions_tile(ads_hdlg hdlg, const char* key, short* cx, short* cy);
int ads_start_image(ads_hdlg hdlg, const char* key);
int ads_fill_image(int x1, int y1, int width, int height, int color);
int ads_slide_image(int x1, int y1, int width, int height, const char* slide);
int ads_end_image(void);
}
