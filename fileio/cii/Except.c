#include "fileio/Except.h"

#include <stdio.h>
#include <stdlib.h>

FILEIO_API _Thread_local Except_Frame* Except_stack = NULL;

void Except_raise(const Except_T* e, const char* file, int line) {
    Except_Frame* p = Except_stack;
    if (p == NULL) {
        fprintf(stderr, "Uncaught exception");
        if (e != NULL && e->reason != NULL)
            fprintf(stderr, " %s", e->reason);
        else
            fprintf(stderr, " at 0x%p", (const void*)e);
        if (file != NULL && line > 0) fprintf(stderr, " raised at %s:%d", file, line);
        fprintf(stderr, "\naborting...\n");
        fflush(stderr);
        abort();
    }
    p->exception = e;
    p->file = file;
    p->line = line;
    /* The handler is left before it runs, so a raise inside it goes to the next one. */
    Except_stack = Except_stack->prev;
    longjmp(p->env, Except_raised);
}
