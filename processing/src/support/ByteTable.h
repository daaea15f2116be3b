#pragma once

// p[x] = table[p[x]] for the w bytes of a line; table has 256 entries.
void LookUpBytes(unsigned char* p, int w, const unsigned char* table);
