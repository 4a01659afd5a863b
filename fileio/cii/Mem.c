/*
 * Every block in use has a descriptor in a hash table keyed by its address, holding
 * its size and the place it was allocated at. Releasing a block that has no
 * descriptor raises Mem_BadFree at the place of the release; the descriptors still
 * present are the leaks that Mem_leak and Mem_report show.
 */
#include "fileio/Mem.h"

#include <pthread.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

const Except_T Mem_Failed = {"Allocation Failed"};
const Except_T Mem_BadFree = {"Bad Free"};

typedef struct Block {
    struct Block* link;
    const void* ptr;
    long size;
    const char* file;
    int line;
} Block;

enum { kBuckets = 4096 };
static Block* table[kBuckets];
static pthread_mutex_t table_lock = PTHREAD_MUTEX_INITIALIZER;

static size_t bucket(const void* ptr) {
    uintptr_t h = (uintptr_t)ptr;
    h ^= h >> 17;
    h *= 0x9E3779B97F4A7C15u;
    return (size_t)(h >> 20) % kBuckets;
}

static void* allocate(long nbytes, int zero, const char* file, int line) {
    Block* d = malloc(sizeof *d);
    void* ptr = nbytes > 0 ? (zero ? calloc(1, (size_t)nbytes) : malloc((size_t)nbytes)) : NULL;
    if (d == NULL || ptr == NULL) {
        free(d);
        free(ptr);
        Except_raise(&Mem_Failed, file, line);
    }
    d->ptr = ptr;
    d->size = nbytes;
    d->file = file;
    d->line = line;
    const size_t h = bucket(ptr);
    pthread_mutex_lock(&table_lock);
    d->link = table[h];
    table[h] = d;
    pthread_mutex_unlock(&table_lock);
    return ptr;
}

void* Mem_alloc(long nbytes, const char* file, int line) { return allocate(nbytes, 0, file, line); }

void* Mem_calloc(long count, long nbytes, const char* file, int line) {
    long total;
    if (count <= 0 || nbytes <= 0 || __builtin_mul_overflow(count, nbytes, &total))
        Except_raise(&Mem_Failed, file, line);
    return allocate(total, 1, file, line);
}

void Mem_free(void* ptr, const char* file, int line) {
    if (ptr == NULL) return;
    const size_t h = bucket(ptr);
    pthread_mutex_lock(&table_lock);
    Block** pp = &table[h];
    while (*pp != NULL && (*pp)->ptr != ptr) pp = &(*pp)->link;
    Block* d = *pp;
    if (d != NULL) *pp = d->link;
    pthread_mutex_unlock(&table_lock);
    if (d == NULL) Except_raise(&Mem_BadFree, file, line);
    free(d);
    free(ptr);
}

void Mem_leak(void (*apply)(const void* ptr, long size, const char* file, int line, void* cl),
              void* cl) {
    /* A snapshot first, so that apply may allocate and release without deadlock. */
    pthread_mutex_lock(&table_lock);
    long n = 0;
    for (size_t i = 0; i < kBuckets; i++)
        for (const Block* d = table[i]; d != NULL; d = d->link) n++;
    Block* copy = n > 0 ? malloc((size_t)n * sizeof *copy) : NULL;
    long k = 0;
    if (copy != NULL)
        for (size_t i = 0; i < kBuckets; i++)
            for (const Block* d = table[i]; d != NULL; d = d->link) copy[k++] = *d;
    pthread_mutex_unlock(&table_lock);
    if (n > 0 && copy == NULL) Except_raise(&Mem_Failed, __FILE_NAME__, __LINE__);
    for (long i = 0; i < k; i++) apply(copy[i].ptr, copy[i].size, copy[i].file, copy[i].line, cl);
    free(copy);
}

typedef struct Report {
    FILE* out;
    long count;
} Report;

static void report_one(const void* ptr, long size, const char* file, int line, void* cl) {
    Report* r = cl;
    r->count++;
    if (r->out != NULL)
        fprintf(r->out, "** %ld bytes at %p allocated at %s:%d were never freed\n", size, ptr,
                file != NULL ? file : "?", line);
}

long Mem_report(FILE* out) {
    Report r = {out, 0};
    Mem_leak(report_one, &r);
    return r.count;
}
