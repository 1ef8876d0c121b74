#pragma once
/* The decompression library's entry points (TSComp32.DLL), a plain C interface so
   that any program can load it by name. Paths are host paths in UTF-8.

   Progress goes out as window messages: the library calls the poster with the
   window and message number it was given, the byte count just produced (or, for
   TSCompress, just read) as the second parameter, and 0 as the first. The installer
   passes a poster that queues the message for its wizard dialog. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*TSPostMessageProc)(void* window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam);

/* Failures, all negative. */
enum {
    TSC_ERROR_SOURCE = -1,   /* the source cannot be opened or read */
    TSC_ERROR_FORMAT = -2,   /* not a compressed file, or a damaged or truncated one */
    TSC_ERROR_TARGET = -3,   /* the target cannot be written */
    TSC_ERROR_COMPRESS = -4, /* the compressor failed */
};

/* Compresses `source` into `target`, keeping its size, date and permission bits in
   the header; the target also takes the source's date. Returns the compressed size. */
typedef int64_t (*TSCompressProc)(const char* source, const char* target, TSPostMessageProc post,
                                  void* window, uint32_t message);

/* Expands `source` into `target`: the target appears only when the whole file has been
   expanded and checked, with the stored date and permission bits. Returns the
   uncompressed size, or a negative failure; a failure leaves an old target as it was. */
typedef int64_t (*TSDeCompressProc)(const char* source, const char* target, TSPostMessageProc post,
                                    void* window, uint32_t message);

/* The uncompressed size of a compressed file, or -1 when the file is not one. */
typedef int64_t (*TSIsCompressedProc)(const char* path);

/* The date stored in a compressed file, in seconds since 1 January 1970 (UTC), or -1
   when the file is not one. */
typedef int64_t (*TSCompressedFileTimeStampProc)(const char* path);

#ifdef __cplusplus
}
#endif
