/* The host's dialog interface: loading DCL files, opening and running
   dialogs, reading and setting tiles, filling lists and drawing images.
   Applications include this header next to ads.h. */
#ifndef CADHOST_ADSDLG_H
#define CADHOST_ADSDLG_H

#ifdef __cplusplus
extern "C" {
#endif

typedef void* ads_hdlg;
typedef void* ads_htile;

typedef struct {
    ads_hdlg dialog;
    ads_htile tile;
    char* value;        /* the tile's value; valid during the callback */
    void* client_data;
    int reason;         /* CBR_... */
    long x, y;          /* point picked in an image button */
} ads_callback_packet;

typedef void (*CLIENTFUNC)(ads_callback_packet*);
#define NULLCB ((CLIENTFUNC)0)

/* ads_mode_tile modes */
#define MODE_ENABLE 0
#define MODE_DISABLE 1
#define MODE_SETFOCUS 2
#define MODE_SETSEL 3
#define MODE_FLIP 4

/* ads_start_list operations */
#define LIST_CHANGE 1
#define LIST_APPEND 2
#define LIST_NEW 3

/* Callback reasons */
#define CBR_SELECT 1
#define CBR_LOST_FOCUS 2
#define CBR_DRAG 3
#define CBR_DOUBLE_CLICK 4

/* Dialog status */
#define DLGCANCEL 0
#define DLGOK 1
#define DLGALLDONE -1
#define DLGSTATUS 2

#define TILE_STR_LIMIT 255

/* Colours of the dialog itself, for images */
#define BGLCOLOR -2
#define DBGLCOLOR -15
#define DFGLCOLOR -16
#define LINELCOLOR -18

#ifndef RTNORM
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#endif

int ads_load_dialog(const char* dclfile, int* dcl_id);
int ads_unload_dialog(int dcl_id);
int ads_new_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def_callback, ads_hdlg* hdlg);
int ads_new_positioned_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def_callback, int x, int y, ads_hdlg* hdlg);
int ads_start_dialog(ads_hdlg hdlg, int* status);
int ads_done_dialog(ads_hdlg hdlg, int status);
int ads_done_positioned_dialog(ads_hdlg hdlg, int status, int* x, int* y);
int ads_term_dialog(void);

int ads_action_tile(ads_hdlg hdlg, const char* key, CLIENTFUNC tilefunc);
int ads_set_tile(ads_hdlg hdlg, const char* key, const char* value);
int ads_get_tile(ads_hdlg hdlg, const char* key, char* value, int maxlen);
int ads_get_attr(ads_hdlg hdlg, const char* key, const char* attr, char* value, int len);
int ads_get_attr_string(ads_htile tile, const char* attr, char* value, int len);
int ads_mode_tile(ads_hdlg hdlg, const char* key, short mode);
int ads_client_data_tile(ads_hdlg hdlg, const char* key, void* clientdata);

int ads_start_list(ads_hdlg hdlg, const char* key, short operation, short index);
int ads_add_list(const char* item);
int ads_end_list(void);

int ads_dimensions_tile(ads_hdlg hdlg, const char* key, short* cx, short* cy);
int ads_start_image(ads_hdlg hdlg, const char* key);
int ads_fill_image(int x1, int y1, int width, int height, int color);
int ads_vector_image(int x1, int y1, int x2, int y2, int color);
int ads_slide_image(int x1, int y1, int width, int height, const char* slide);
int ads_end_image(void);

#ifdef __cplusplus
}
#endif

#endif
