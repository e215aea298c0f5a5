#pragma once
#include <string>

// Names and texts as written to the error stream, which is often a terminal: a control character
// in a file name (a newline, the escape that starts a terminal's command) must neither split a
// message nor drive the terminal.

// `name` as is, unless it holds a control character; then quoted as the shell reads it back, in
// the $'...' form that ls shows such names in: $'a\nb'.
std::string PrintableName(const std::string& name);

// `text` (a message that may hold a name) with each control character shown as "?".
std::string PrintableText(const std::string& text);
