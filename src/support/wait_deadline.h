// The deadline rule of the service wait, over 32-bit millisecond tick counts.
#ifndef ZQ_WAIT_DEADLINE_H
#define ZQ_WAIT_DEADLINE_H

#include <stdint.h>

// Tells whether a wait that began at tick start with the given timeout has
// run out at tick now. Elapsed time is taken by unsigned subtraction, so a
// tick count that wraps past 0xFFFFFFFF during the wait does not end it early.
int DeadlinePassed(uint32_t start, uint32_t timeout, uint32_t now);

#endif
