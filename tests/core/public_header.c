/* Compiles the public header as C: a host written in C must be able to use it. */
#include "polvex/polvex.h"

int PublicHeaderObjectStructSize(void);

int PublicHeaderObjectStructSize(void) {
    ObjectStruct record = {0};
    (void)record;
    return (int)sizeof(ObjectStruct);
}
