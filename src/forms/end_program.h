#pragma once

// modHelp's EndProgram: the one way the program ends.

namespace ssn::forms {

class Forms;

// Unloads every loaded window that is not already being unloaded, ignoring errors, then ends
// the process with exit code 0. Unload handlers may call it again: a nested entry walks
// what is still loaded and ends the process itself. The real process end never returns;
// with one that does (tests), every entry returns once the process counts as ended, and
// its caller must simply stop.
void EndProgram(Forms& forms);

} // namespace ssn::forms
