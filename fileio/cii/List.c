#include "fileio/List.h"

#include <stddef.h>

#include "fileio/Mem.h"

List_T List_push(List_T list, void* x) {
    List_T p;
    NEW(p);
    p->first = x;
    p->rest = list;
    return p;
}

List_T List_reverse(List_T list) {
    List_T head = NULL;
    List_T next;
    for (; list != NULL; list = next) {
        next = list->rest;
        list->rest = head;
        head = list;
    }
    return head;
}

int List_length(List_T list) {
    int n = 0;
    for (; list != NULL; list = list->rest) n++;
    return n;
}

void** List_toArray(List_T list, void* end) {
    const int n = List_length(list);
    void** array = ALLOC((long)(n + 1) * (long)sizeof *array);
    int i = 0;
    for (; list != NULL; list = list->rest) array[i++] = list->first;
    array[i] = end;
    return array;
}

void List_free(List_T* list) {
    if (list == NULL) return;
    List_T next;
    for (; *list != NULL; *list = next) {
        next = (*list)->rest;
        FREE(*list);
    }
}
