/* Messages the host sends to a loaded application's entry point, and the
   entry points an application exports. */
#ifndef CADHOST_ACRX_H
#define CADHOST_ACRX_H

#ifdef __cplusplus
extern "C" {
#endif

enum AcRxAppMsg {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9
};

enum AcRxAppRetCode { kRetOK = 0, kRetError = 3 };

/* API version the host accepts from acrxGetApiVersion */
#define ACRX_API_VERSION 0xE0000
#define ACRX_API_VERSION_R13 0xD0004

/* What an application exports */
typedef int (*AcrxEntryPointFn)(int msg, void* app_id);
typedef int (*AcrxGetApiVersionFn)(void);
typedef void (*AcrxSetPtpFn)(void* ptp);

#ifdef __cplusplus
}
#endif

#endif
