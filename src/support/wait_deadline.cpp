#include "wait_deadline.h"

int DeadlinePassed(uint32_t start, uint32_t timeout, uint32_t now)
{
    return (uint32_t)(now - start) >= timeout;
}
