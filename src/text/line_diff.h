// The first difference between two texts as one hunk of a unified diff, for
// telling a user where a file on disk no longer matches what would be
// generated.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brendax {

// The lines of a text split at CR LF or LF; a last line without a line end
// counts as well, an empty text has none.
std::vector<std::string> SplitTextLines(std::string_view text);

// The first hunk of a unified diff from `before` to `after`: the headers
// "--- beforeLabel" and "+++ afterLabel", one "@@ -a,b +c,d @@" line, then the
// lines with " ", "-" or "+" in front and three lines of context, each line
// ending in LF. The hunk covers the first run of changes (changes less than
// seven equal lines apart belong to it); it looks at most 500 lines past the
// first difference. Empty when the two are equal. Lines go out as given.
std::string FirstDiffHunk(const std::vector<std::string>& before, const std::vector<std::string>& after,
                          std::string_view beforeLabel, std::string_view afterLabel);

}  // namespace brendax
