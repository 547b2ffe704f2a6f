/* The host's application programming interface: value lists (resbuf
   chains), entity and table access, selection sets, system and AutoLISP
   variables, function registration, input and output. Applications include
   this header only; the functions are resolved from the host when it loads
   them. */
#ifndef CADHOST_ADS_H
#define CADHOST_ADS_H

#ifdef __cplusplus
extern "C" {
#endif

typedef double ads_real;
typedef ads_real ads_point[3];
typedef long ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef long* ads_namep;

enum { X = 0, Y = 1, Z = 2 };

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* Result type codes */
#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027

/* Status codes */
#ifndef RTNORM
#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)
#endif

/* ads_initget control bits */
#define RSG_NONULL 0x01
#define RSG_NOZERO 0x02
#define RSG_NONEG 0x04
#define RSG_NOLIM 0x08
#define RSG_GETZ 0x10
#define RSG_DASH 0x20
#define RSG_2D 0x40
#define RSG_OTHER 0x80

/* ads_getfiled flags */
#define FILED_NEW 1
#define FILED_NOTYPEIT 2
#define FILED_ANYEXT 4
#define FILED_SEARCHDEFAULT 8
#define FILED_DIRDEFAULT 16
#define FILED_NOREPLACE 32
#define FILED_ARBITRARY 128

struct ads_binary {
    short clen; /* bytes in buf */
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    char* rstring;
    long rlname[2];
    long rlong;
    struct ads_binary rbinary;
};

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

/* Value lists */
struct resbuf* ads_buildlist(int rtype, ...);
struct resbuf* ads_newrb(int v);
int ads_relrb(struct resbuf* rb);

/* Entities and tables */
int ads_entnext(const ads_name ent, ads_name result);
int ads_entlast(ads_name result);
struct resbuf* ads_entget(const ads_name ent);
struct resbuf* ads_entgetx(const ads_name ent, const struct resbuf* apps);
int ads_entmod(const struct resbuf* ent);
int ads_entmake(const struct resbuf* ent);
int ads_entdel(const ads_name ent);
int ads_entupd(const ads_name ent);
int ads_handent(const char* handle, ads_name entres);
struct resbuf* ads_tblsearch(const char* tblname, const char* sym, int setnext);
struct resbuf* ads_tblnext(const char* tblname, int rewind);
/* Registers an application name for extended data: RTNORM when it is
   registered now, RTERROR when it already was or cannot be a name. */
int ads_regapp(const char* appname);

/* Selection sets */
int ads_ssget(const char* str, const void* pt1, const void* pt2, const struct resbuf* filter, ads_name ss);
int ads_sslength(const ads_name ss, long* len);
int ads_ssname(const ads_name ss, long i, ads_name entres);
int ads_ssadd(const ads_name ename, const ads_name sname, ads_name result);
int ads_ssdel(const ads_name ename, const ads_name ss);
int ads_ssmemb(const ads_name ename, const ads_name ss);
int ads_ssfree(const ads_name sname);

/* Variables */
int ads_getvar(const char* sym, struct resbuf* result);
int ads_setvar(const char* sym, const struct resbuf* val);
int ads_putsym(const char* sname, struct resbuf* value);
int ads_getsym(const char* sname, struct resbuf** value);

/* Function registration and results */
int ads_defun(const char* sname, short funcno);
int ads_undef(const char* sname, short funcno);
int ads_regfunc(int (*fhdl)(void), short fcode);
int ads_getfuncode(void);
struct resbuf* ads_getargs(void);
int ads_retlist(const struct resbuf* rbuf);
int ads_retval(const struct resbuf* rbuf);
int ads_retnil(void);
int ads_rett(void);
int ads_retvoid(void);
int ads_retint(int ival);
int ads_retreal(ads_real rval);
int ads_retstr(const char* s);
int ads_retname(const ads_name aname, int type);
int ads_retpoint(const ads_point pt);
int ads_invoke(const struct resbuf* args, struct resbuf** result);

/* Output and host services */
int ads_printf(const char* format, ...);
int ads_prompt(const char* str);
int ads_alert(const char* str);
void ads_fail(const char* str);
int ads_textscr(void);
int ads_graphscr(void);
int ads_findfile(const char* fname, char* result); /* result holds at least 512 bytes */
int ads_usrbrk(void);
int ads_wcmatch(const char* string, const char* pattern);
/* Help: the file (found as given or on the search path) and a topic; the
   command is one of the HELP_ values. RTERROR when the file is missing. */
#define HELP_CONTENTS 3
#define HELP_PARTIALKEY 0x105
int ads_help(const char* file, const char* topic, int command);

/* Commands and interactive input */
int ads_command(int rtype, ...);
int ads_cmd(const struct resbuf* rbp);
int ads_initget(int val, const char* kwl);
int ads_getstring(int cronly, const char* prompt, char* result); /* result holds 133 bytes */
int ads_getint(const char* prompt, int* result);
int ads_getreal(const char* prompt, ads_real* result);
int ads_getdist(const ads_point pt, const char* prompt, ads_real* result);
int ads_getangle(const ads_point pt, const char* prompt, ads_real* result);
int ads_getpoint(const ads_point pt, const char* prompt, ads_point result);
int ads_getcorner(const ads_point pt, const char* prompt, ads_point result);
int ads_getkword(const char* prompt, char* result);
int ads_getinput(char* str);
int ads_entsel(const char* str, ads_name entres, ads_point ptres);
int ads_getfiled(const char* title, const char* defawlt, const char* ext, int flags, struct resbuf* result);

/* Application loading */
int ads_arxload(const char* app);
int ads_arxunload(const char* app);

/* Name helpers */
#define ads_name_set(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1])
#define ads_name_equal(a, b) ((a)[0] == (b)[0] && (a)[1] == (b)[1])
#define ads_name_clear(n) ((n)[0] = (n)[1] = 0)
#define ads_name_nil(n) ((n)[0] == 0 && (n)[1] == 0)
#define ads_point_set(from, to) ((to)[X] = (from)[X], (to)[Y] = (from)[Y], (to)[Z] = (from)[Z])

#ifdef __cplusplus
}
#endif

#endif
