// pixorama-batch's command line from arbitrary bytes (words split at NUL
// bytes): parsing never fails hard, a line it accepts keeps every word, and
// a range it accepts reads back the same.
#include "BatchOptions.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    }
    const BatchOptions o = ParseBatchOptions(args);
    if (o.error.empty() && !o.help) {
        // Every word is the command, a file or an option and its value.
        std::size_t words = (o.command.empty() ? 0 : 1) + o.files.size() + 2 * o.lists.size() + 2 * o.globs.size();
        words += 2 * (!o.params.empty() + !o.left.empty() + !o.right.empty() + !o.out.empty() + !o.outDir.empty());
        words += 2 * (o.hasRange + o.hasWindow + o.hasRow);
        if (words > args.size())
            std::abort();
    }
    for (const std::string& word : args) {
        IndexRange range;
        if (ParseRange(word, range)) {
            if (range.step < 0)
                std::abort();
            IndexRange again;
            const std::string text = std::to_string(range.first) + ":" + std::to_string(range.end)
                                     + (range.step > 0 ? ":" + std::to_string(range.step) : "");
            if (!ParseRange(text, again) || again.first != range.first || again.end != range.end
                || again.step != range.step)
                std::abort();
        }
    }
    return 0;
}
