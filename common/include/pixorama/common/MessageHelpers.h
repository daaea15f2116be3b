#pragma once

// One-line message boxes for looking at values; each returns when the box is
// closed.
void QEVBInt(int a);              // "%d"
void QEVBInt(int a, int b);       // "%d %d"
void QEVBFloat(float a);          // "%4.4f"
void QEVBFloat(float a, float b); // "%4.4f %4.4f"
void QEVBChar(const char* text);  // UTF-8 text
