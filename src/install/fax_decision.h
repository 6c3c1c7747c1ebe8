// Whether the fax driver is installed, from the "No Fax Function" value.
#ifndef ZQ_FAX_DECISION_H
#define ZQ_FAX_DECISION_H

// Returns 0 (no fax) only when the value is the word TRUE in any letter
// case; any other text, "TRUE " or "1" or "yes" among them, keeps it at 1.
int InstallFaxFor(const char* noFaxFunction);

#endif
