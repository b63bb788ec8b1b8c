// The running program's own file, beside which its companions and its help
// lie, and inside which the web pane's page is.
#pragma once

#include <string>

// The full path of the program file, or "" when the system cannot give it
// whole.
std::string ProgramPath();
