// A small hosted program for the ELF corpus: library calls, initialised and zeroed data, read-only
// tables, static and external functions, so every toolchain gives a file with all the usual parts.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct record
{
    const char *name;
    int weight;
};

static const struct record records[] = {
    { "alpha", 3 }, { "beta", 5 }, { "gamma", 7 }, { "delta", 11 },
};

int counter = 42;
unsigned char buffer[300];
static int calls;

static int weigh(const struct record *r)
{
    ++calls;
    return r->weight * counter;
}

int total(int limit)
{
    int sum = 0;
    for (unsigned i = 0; i < sizeof records / sizeof records[0] && (int)i < limit; ++i)
        sum += weigh(&records[i]);
    return sum;
}

int main(int argc, char **argv)
{
    char *copy = malloc(64);
    if (!copy)
        return 1;
    strcpy(copy, argc > 1 ? argv[1] : "corpus");
    memset(buffer, argc, sizeof buffer);
    printf("%s %d %d\n", copy, total(argc + 3), calls);
    free(copy);
    return 0;
}
