#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/workbench/SequenceOps.h"

#include <initializer_list>
#include <string>
#include <vector>

// The command line of pixorama-batch, parsed but not yet acted on.
struct BatchOptions {
    std::string command;
    bool help = false;
    CString params;                  // --params FILE
    std::vector<CString> files;      // FILES...
    std::vector<CString> lists;      // --list FILE (.srl project or list file)
    std::vector<CString> globs;      // --glob PATTERN
    CString left, right;             // --left, --right: a list file or a glob
    CString out;                     // --out FILE
    CString regions;                 // --regions FILE (a region file)
    CString outDir;                  // --out-dir DIR
    bool hasRange = false;
    IndexRange range;                // --range START:END:STEP; step 0 when not given
    bool hasWindow = false;
    DisplayWindow window;            // --window LEFT:RIGHT
    bool hasRow = false;
    int row = 0;                     // --row N
    CString language;                // --lang en|zh
    std::string error;               // set when the line is not understood
};

BatchOptions ParseBatchOptions(const std::vector<std::string>& args);

// The value of --lang on the line, or an empty string.
CString LanguageArgument(const std::vector<std::string>& args);

// A message of the program: the Chinese pattern in the current language,
// its %1, %2, ... filled with the arguments, as UTF-8.
std::string BatchText(const wchar_t* pattern, std::initializer_list<std::string> arguments = {});

// "START:END:STEP"; END and STEP may be left out ("5:", "5:9", ":9:2"); a
// step left out reads 0, which leaves the job's own step.
bool ParseRange(const std::string& text, IndexRange& range);

// A list file (one path a line, as the browser's .srl projects) or, when it
// holds '*' or '?', a glob over one folder, in name order.
std::vector<CString> ExpandSource(const CString& listOrGlob);

// The sequence: the files given, then those of every list and glob.
std::vector<CString> SequenceOf(const BatchOptions& options);

// Elements first, first + step, ... below end of a list.
std::vector<CString> Slice(const std::vector<CString>& files, const IndexRange& range);
