#include "fax_decision.h"

#include "../support/text_rules.h"

int InstallFaxFor(const char* noFaxFunction)
{
    return SameTextAnyCase(noFaxFunction, "TRUE") ? 0 : 1;
}
