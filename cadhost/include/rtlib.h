/* The runtime file layer for applications: stream files, directory
   listing, directories, path splitting, drives, environment and processes,
   all taking Windows-style paths that the host maps to its own folders. */
#ifndef CADHOST_RTLIB_H
#define CADHOST_RTLIB_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RT_A_NORMAL 0x00
#define RT_A_RDONLY 0x01
#define RT_A_SUBDIR 0x10

#define RT_P_WAIT 0
#define RT_P_NOWAIT 1

#define RT_MAX_DRIVE 3
#define RT_MAX_DIR 256
#define RT_MAX_FNAME 256
#define RT_MAX_EXT 256
#define RT_MAX_PATH 260

struct rt_finddata_t {
    unsigned attrib;
    long long time_write;
    long long size;
    char name[RT_MAX_PATH];
};

/* Streams: text mode (no "b") reads CR LF line ends as LF. Missing final
   components of a path are created with the spelling given. */
FILE* rt_fopen(const char* path, const char* mode);
int rt_remove(const char* path);
int rt_rename(const char* from, const char* to); /* never replaces the target */
int rt_access(const char* path, int mode); /* 0 exists, 2 write, 4 read, 6 both */

/* Directories and drives */
int rt_mkdir(const char* path);
int rt_rmdir(const char* path);
/* "X:\DIR" inside a mapped drive, else the host path; NULL (ERANGE) when
   it does not fit. */
char* rt_getcwd(char* buf, int len);
int rt_chdir(const char* path);
int rt_getdrive(void);      /* 1 = A */
int rt_chdrive(int drive);  /* 0 on success */

/* Listing: a handle, or -1 when nothing matches */
long rt_findfirst(const char* pattern, struct rt_finddata_t* data);
int rt_findnext(long handle, struct rt_finddata_t* data); /* 0, or -1 at the end */
int rt_findclose(long handle);

/* Paths; each output may be NULL, else holds the RT_MAX_* size */
void rt_splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
void rt_makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
/* The host path a path resolves to; NULL when it does not fit or names a
   drive that is not mapped. */
const char* rt_hostpath(const char* path, char* buf, int len);

/* Environment and processes */
const char* rt_getenv(const char* name);
/* argv ends with NULL. A program without a folder is looked up in PATH.
   Arguments after argv[0] that are drive paths ("C:\DIR\F.TXT") reach the
   program as the host paths the drives map to.
   RT_P_WAIT: the exit status; RT_P_NOWAIT: a process id for rt_cwait.
   -1 with errno set on failure; no shell is involved. */
int rt_spawnv(int mode, const char* prog, const char* const* argv);
/* Waits for a RT_P_NOWAIT program: pid, and its exit status in *status. */
int rt_cwait(int* status, int pid, int action);
/* Runs a command line through the shell: its exit status, or -1; with
   NULL, nonzero when a shell is there. Each blank-separated word that is a
   drive path is handed to the shell as its host path, quoted. */
int rt_system(const char* command);

#ifdef __cplusplus
}
#endif

#endif
