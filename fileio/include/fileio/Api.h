/* Export and linkage markers shared by the fileio headers. */
#ifndef FILEIO_API_H
#define FILEIO_API_H

/* The library is built with hidden visibility; only what is marked here is exported. */
#define FILEIO_API __attribute__((visibility("default")))

#ifdef __cplusplus
#define FILEIO_BEGIN_DECLS extern "C" {
#define FILEIO_END_DECLS }
#define FILEIO_THREAD_LOCAL thread_local
#else
#define FILEIO_BEGIN_DECLS
#define FILEIO_END_DECLS
#define FILEIO_THREAD_LOCAL _Thread_local
#endif

#endif
