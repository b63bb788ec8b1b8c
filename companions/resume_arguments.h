// How the resume program tells a start by the wizard right after Save (whose
// one argument is a single space) from a start at logon (no argument).
#pragma once

namespace companions {

// True when everything after the program name is blank, or is a quoted space.
bool IsStartedAfterSave(const char* commandLine);

}  // namespace companions
