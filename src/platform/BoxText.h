#pragma once

#include <string>

// Text laid out in columns for a terminal (--help), rewritten for a message box, whose font is
// not fixed-width and which wraps long lines itself: each entry of a two-column list becomes one
// line "name: description", its continuation lines joined on; the lines of a paragraph are
// joined into one; blank lines and headings stay.
std::string boxText(const std::string& text);
