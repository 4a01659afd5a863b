/*
 * Exceptions in C: an exception is the address of an Except_T; handlers are the
 * TRY/EXCEPT/ELSE/FINALLY/END_TRY macros below and raising is a longjmp to the
 * nearest handler of the calling thread. An exception nobody handles is reported on
 * stderr with the place it was raised at, and the process aborts.
 *
 *     TRY
 *         f = File_instanceOfParent(dir, name);
 *     EXCEPT(File_Failed)
 *         f = NULL;
 *     END_TRY;
 *
 * A raise jumps over every frame between it and the handler: no C++ object with a
 * destructor may be alive in those frames, and locals that the protected block
 * changes and the handler reads must be volatile.
 */
#ifndef FILEIO_EXCEPT_H
#define FILEIO_EXCEPT_H

#include <setjmp.h>

#include "fileio/Api.h"

FILEIO_BEGIN_DECLS

typedef struct Except_T {
    const char* reason;
} Except_T;

typedef struct Except_Frame Except_Frame;
struct Except_Frame {
    Except_Frame* prev;
    jmp_buf env;
    const char* file;
    int line;
    const Except_T* exception;
};

enum { Except_entered = 0, Except_raised, Except_handled, Except_finalized };

/* The innermost handler of the calling thread. */
FILEIO_API extern FILEIO_THREAD_LOCAL Except_Frame* Except_stack;

/* Raises e at file:line. Does not return. */
FILEIO_API void Except_raise(const Except_T* e, const char* file, int line)
    __attribute__((noreturn));

FILEIO_END_DECLS

#define RAISE(e) Except_raise(&(e), __FILE__, __LINE__)
#define RERAISE Except_raise(Except_frame.exception, Except_frame.file, Except_frame.line)
/* Returns from inside a TRY block, leaving its handler first. */
#define RETURN                                    \
    switch (Except_stack = Except_stack->prev, 0) \
    default:                                      \
        return

#define TRY                                     \
    do {                                        \
        volatile int Except_flag;               \
        Except_Frame Except_frame;              \
        Except_frame.prev = Except_stack;       \
        Except_stack = &Except_frame;           \
        Except_flag = setjmp(Except_frame.env); \
        if (Except_flag == Except_entered) {
#define EXCEPT(e)                                                         \
    if (Except_flag == Except_entered) Except_stack = Except_stack->prev; \
    }                                                                     \
    else if (Except_frame.exception == &(e)) {                            \
        Except_flag = Except_handled;

#define ELSE                                                              \
    if (Except_flag == Except_entered) Except_stack = Except_stack->prev; \
    }                                                                     \
    else {                                                                \
        Except_flag = Except_handled;

#define FINALLY                                                           \
    if (Except_flag == Except_entered) Except_stack = Except_stack->prev; \
    }                                                                     \
    {                                                                     \
        if (Except_flag == Except_entered) Except_flag = Except_finalized;

#define END_TRY                                                           \
    if (Except_flag == Except_entered) Except_stack = Except_stack->prev; \
    }                                                                     \
    if (Except_flag == Except_raised) RERAISE;                            \
    }                                                                     \
    while (0)

#endif
