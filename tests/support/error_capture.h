// Runtime errors in tests: a hook that prints the error instead of showing the box, so a death
// test can match the message and the exit code without anyone answering a box.
#pragma once

namespace testerr {
// Installs the hook; the error still ends the process with code -1.
void PrintErrorsInsteadOfBox();
}  // namespace testerr
