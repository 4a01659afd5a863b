/* Singly linked lists of pointers; cells come from Mem. */
#ifndef FILEIO_LIST_H
#define FILEIO_LIST_H

#include "fileio/Api.h"

FILEIO_BEGIN_DECLS

typedef struct List_Cell* List_T;
struct List_Cell {
    List_T rest;
    void* first;
};

/* The list with x in front of list. */
FILEIO_API List_T List_push(List_T list, void* x);
/* The same cells in reverse order. */
FILEIO_API List_T List_reverse(List_T list);
FILEIO_API int List_length(List_T list);
/* A new array of the list's elements in order, followed by end; release it with Mem_free. */
FILEIO_API void** List_toArray(List_T list, void* end);
/* Releases the cells (not the elements) and sets *list to null. */
FILEIO_API void List_free(List_T* list);

FILEIO_END_DECLS

#endif
