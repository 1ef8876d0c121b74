#pragma once
// What setup's exit status tells a script that ran it. Only a run that did what it was
// asked ends with Success; the relaunched copy's status is passed on by the run that
// waited for it.

namespace setupkit {

enum SetupExitStatus : int {
    kExitSuccess = 0,           // installed, uninstalled, or the distribution is sound
    kExitFailed = 1,            // an error ended the run, or the distribution is not sound
    kExitCancelled = 2,         // the user cancelled
    kExitUncoveredQuestion = 3, // an unattended run met a question it had no answer for
    kExitUsage = 64,            // the command line or the answer file cannot be used
};

} // namespace setupkit
