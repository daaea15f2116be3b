#pragma once

// Keyboard state of a Windows virtual key right now: KEYDOWN is 1 while the
// key is held, KEYUP is 1 otherwise; never both.
int KEYDOWN(int virtualKey);
int KEYUP(int virtualKey);
