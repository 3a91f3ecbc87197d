#pragma once
#include <string>
#include <vector>

namespace kelvora {

// The names in a list box, as the setup dialog saves them: with one line
// the whole text is the one name (none when empty); with more, the text
// before the first CR LF is dropped (the program's own empty first line)
// and every line after a CR LF is a name, empty ones included.
std::vector<std::string> ExtractList(const std::string& text);

}  // namespace kelvora
